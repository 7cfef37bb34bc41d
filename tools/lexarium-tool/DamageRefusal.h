#pragma once

// A file that did not load whole (a field could not be read or was cut short
// by a zero byte, the count promises records past the end of the data, bytes
// follow the last record) is refused by every command that writes from it or
// reports its figures: standard error says "PATH is damaged: " and the first
// problem as check words it, nothing is written, and the exit status is 1.
// With --accept-damage the command goes on with what was read, the damage
// still told on standard error. check itself only tells, and refuses nothing.
//
// How a command uses it:
//   - AddAcceptDamage(command, arguments->acceptDamage) with its options;
//   - DamageRefusal damage(IN, acceptDamage), and IN loaded or opened with
//     damage.Report();
//   - entry by entry: damage.Add(position, entry) after each entry the
//     reader gives (it takes the reader's field problems away);
//   - once the whole file is read (after the reader's Finish, or a full
//     Load), before anything is written: if (!damage.Allows()) return 1;
//     or Allows(collection) after a full Load. Inside a save's write
//     function, return E_ABORT instead: Save then leaves OUT as it was.

#include "CommandLine.h"
#include "check/LoadDamage.h"
#include "model/TextResourceObject.h"
#include "model/TextResourceReadReport.h"

#include <cstdint>
#include <functional>
#include <string>

class StreamedFile;

// The values of the commands that write OUT from IN.
struct InOutArguments {
    std::string input;
    std::string output;
    bool acceptDamage = false;
};

// Declares the operands IN and OUT, as the usage names them.
void AddInOut(CLI::App& command, InOutArguments& arguments, const std::string& in,
              const std::string& out);
// Declares --accept-damage on the command.
void AddAcceptDamage(CLI::App& command, bool& acceptDamage);

class DamageRefusal {
public:
    DamageRefusal(std::string path, bool acceptDamage);

    // The report to fill while loading.
    TextResourceReadReport& Report() { return m_report; }

    // The entry the reader gave last; the field problems it met are taken
    // from the report.
    void Add(std::uint32_t position, const TextResourceEntry& entry);

    // Whether the command may go on with what it read: when the file loaded
    // whole, or, after the damage was told, with --accept-damage.
    bool Allows();
    // The same after a full load into `loaded`.
    bool Allows(const TextResourceObject& loaded);

private:
    bool Tell(const std::optional<check::LoadDamage>& damage) const;

    std::string m_path;
    bool m_acceptDamage;
    TextResourceReadReport m_report;
    check::LoadDamageTally m_tally;
};

// Loads `path` whole into `object`; false, after the message, when it cannot
// be loaded or is damaged and refused.
bool LoadAllowed(const std::string& path, bool acceptDamage, TextResourceObject& object);

// Reads the opened `file` to its end: each entry is told to `damage`, then
// given to `each` with its position. The reader is finished then; whether the
// damage allows going on is the caller's question.
void ReadEntries(StreamedFile& file, DamageRefusal& damage,
                 const std::function<void(std::uint32_t position, TextResourceEntry& entry)>& each);
