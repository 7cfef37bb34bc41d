#pragma once

// The recorded list of IN for the commands that read or write it: found
// next to IN unless named, and its bad lines told on standard error as
// PATH:LINE: reason.

#include "check/RecordedList.h"

#include <future>
#include <memory>
#include <optional>
#include <string>

// The path of the list: `named` when given, else the one next to `input`.
std::string RecordedListPath(const std::string& input, const std::optional<std::string>& named);

// Prints each problem of `list` as PATH:LINE: reason.
void TellListProblems(const std::string& path, const check::RecordedList& list);

// A list whose bytes are read at once and parsed on a thread of its own, so
// that the command goes on meanwhile. Its problems are told by Tell, which
// the command calls before anything else it prints on standard error: the
// messages come in the order they would if the list were read first.
class RecordedListReading {
public:
    RecordedListReading() = default;
    // Waits for the parsing, which writes into this object.
    ~RecordedListReading();
    RecordedListReading(const RecordedListReading&) = delete;
    RecordedListReading& operator=(const RecordedListReading&) = delete;

    // Reads the list's bytes, and starts parsing them when they were read.
    check::ListRead Start(const std::string& path, std::string& reason);

    // The list as it will be, once Start read it.
    std::shared_future<std::shared_ptr<const check::RecordedList>> List() const { return m_list; }

    // Waits for the list; the first time, prints its problems. After Start read it.
    const check::RecordedList& Tell();

    // Waits for the list and takes its lines away, for a command that is the
    // list's only user and changes them.
    std::vector<check::RecordedLine> TakeLines();

private:
    std::string m_path;
    std::shared_future<std::shared_ptr<const check::RecordedList>> m_list;
    // The same list, set by the parsing before the future is ready.
    std::shared_ptr<check::RecordedList> m_parsed;
    bool m_told = false;
};

// The time a record run writes into its lines: SOURCE_DATE_EPOCH when set,
// for reproducible runs, else now; empty, after a message, when the variable
// holds no time.
std::string RecordTime();
