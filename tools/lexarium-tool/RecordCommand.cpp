// lexarium-tool record: which text each recording was made from, in the
// recorded list next to IN (check/Recorder.h tells what changes in it).

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "RecordedListFile.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "check/Recorder.h"
#include "support/tsResult.h"

#include <algorithm>
#include <cstdio>

namespace {

struct RecordArguments {
    std::string input;
    std::string folder;
    std::vector<std::string> identifiers;
    std::optional<std::string> recorded;
    bool again = false;
    bool acceptDamage = false;
};

void PrintSummary(const check::RecordSummary& summary) {
    const std::pair<const char*, std::uint64_t> kinds[] = {
        {"added", summary.added},           {"new-take", summary.newTake},
        {"unchanged", summary.unchanged},   {"text-changed", summary.textChanged},
        {"not-found", summary.notFound},    {"shared-identifier", summary.sharedIdentifier},
        {"not-in-file", summary.notInFile},
    };
    std::string text;
    for (const auto& [kind, count] : kinds)
        text += std::string(kind) + "\t" + std::to_string(count) + "\n";
    std::fputs(text.c_str(), stdout);
}

void TellDetails(const RecordArguments& arguments, const std::string& listPath,
                 const check::RecordSummary& summary) {
    std::string text;
    for (const std::string& identifier : summary.shared)
        text += arguments.input + ": " + check::EscapeField(identifier) +
                ": more than one entry has this identifier; not recorded\n";
    for (const auto& [path, reason] : summary.unread)
        text += path + ": not read: " + reason + "\n";
    for (const std::string& identifier : summary.gone)
        text += listPath + ": " + check::EscapeField(identifier) + ": not in " + arguments.input +
                " any more; its line is kept\n";
    std::fputs(text.c_str(), stderr);
}

int RunRecord(const RecordArguments& arguments) {
    const char* input = arguments.input.c_str();
    if (!CheckReadableFolder(arguments.folder.c_str()))
        return 1;
    const std::string listPath = RecordedListPath(arguments.input, arguments.recorded);
    // The list is parsed while the entries are looked up and their recordings
    // read; what depends on it is told as if it had been read first.
    RecordedListReading reading;
    std::string reason;
    const check::ListRead read = reading.Start(listPath, reason);
    if (read == check::ListRead::Failed) {
        std::fprintf(stderr, "Cannot read the recorded list %s: %s. Nothing was written.\n",
                     listPath.c_str(), reason.c_str());
        return 1;
    }
    // The list read whole, and the time of the run; false after the message.
    std::string recordedTime;
    const auto ready = [&] {
        if (read == check::ListRead::Read && !reading.Tell().problems.empty()) {
            // Rewriting it would drop the lines it could not read.
            std::fprintf(stderr,
                         "The recorded list %s cannot be read whole. Nothing was written; "
                         "correct or remove the lines named above.\n",
                         listPath.c_str());
            return false;
        }
        recordedTime = RecordTime();
        return !recordedTime.empty();
    };
    check::RecordSettings settings;
    settings.audioFolder = arguments.folder;
    settings.identifiers.insert(arguments.identifiers.begin(), arguments.identifiers.end());
    settings.again = arguments.again;

    DamageRefusal damage(arguments.input, arguments.acceptDamage);
    StreamedFile file;
    if (!file.OpenQuietly(input, &damage.Report())) {
        if (ready())
            ReportLoadFailure();
        return 1;
    }
    const std::uint64_t count = damage.Report().count;
    const std::uint64_t size = FileSize(input);
    // A record takes 7 bytes at least: a damaged count must not claim memory.
    check::Recorder recorder(std::move(settings),
                             static_cast<std::size_t>(std::min<std::uint64_t>(
                                 {count, size > 0 ? size / 7 : 1024, 1u << 24})));
    ReadEntries(file, damage, [&](std::uint32_t, TextResourceEntry& entry) { recorder.Add(entry); });
    if (!ready())
        return 1;
    std::vector<check::RecordedLine> listed;
    if (read == check::ListRead::Read)
        listed = reading.TakeLines();
    check::RecordSummary summary;
    std::vector<check::RecordedLine> lines =
        recorder.Finish(std::move(listed), recordedTime, summary);
    if (!damage.Allows())
        return 1;
    if (!summary.unknown.empty()) {
        for (const std::string& identifier : summary.unknown)
            std::fprintf(stderr,
                         "record: no entry of %s has the identifier \"%s\" (--identifier)\n", input,
                         check::EscapeField(identifier).c_str());
        std::fputs("Nothing was written.\n", stderr);
        return 2;
    }
    const std::string text = check::FormatRecordedList(std::move(lines));
    const int status = Save(listPath.c_str(), [&](tsOutputStream& out) {
        return WriteAll(out, text.data(), text.size());
    });
    if (status != 0)
        return status;
    TellDetails(arguments, listPath, summary);
    PrintSummary(summary);
    return 0;
}

} // namespace

void AddRecordCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<RecordArguments>(
        "record",
        "IN --audio FOLDER [--identifier ID]... [--again] [--recorded FILE] [--accept-damage]",
        "note which text each recording under FOLDER was\nmade from, in the recorded list next "
        "to IN",
        RunRecord);
    AddOperand(command, "IN", arguments.input, "the text resource file");
    AddRequiredOption(command, "--audio", "FOLDER", arguments.folder, "the folder of recordings");
    AddRepeatedOption(command, "--identifier", "ID", arguments.identifiers,
                      "only the entry with this identifier; may be given again");
    AddFlag(command, "--again", arguments.again,
            "write the lines again with the current texts: accepts the recordings of "
            "edited texts");
    AddValueOption(command, "--recorded", "FILE", arguments.recorded,
                   "the recorded list (default: next to IN, named after it)");
    AddAcceptDamage(command, arguments.acceptDamage);
}
