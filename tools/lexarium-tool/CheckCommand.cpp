// lexarium-tool check: what would break a build or a recording session.
// The file is streamed through the checks; only what they need is kept.

#include "CheckSettings.h"
#include "CommandLine.h"
#include "RecordedListFile.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "check/Checker.h"
#include "check/FindingsOutput.h"
#include "check/LoadDamage.h"
#include "check/RecordedList.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct CheckArguments {
    std::string file;
    std::optional<std::string> folder;
    std::optional<std::string> reference;
    std::optional<std::string> recorded;
    bool noRecorded = false;
    CheckSettings settings;
    bool json = false;
};

// With --audio: the recorded list next to IN or named, unless --no-recorded,
// parsed while the check goes on. Its bad lines are told and left out; a list
// that is not there is no list. False when a named list cannot be read.
bool UseRecordedList(const CheckArguments& arguments, RecordedListReading& reading,
                     check::CheckOptions& options) {
    if (!arguments.folder || arguments.noRecorded)
        return true;
    const std::string path = RecordedListPath(arguments.file, arguments.recorded);
    std::string reason;
    switch (reading.Start(path, reason)) {
    case check::ListRead::Missing:
        if (!arguments.recorded)
            return true;
        reason = std::strerror(ENOENT);
        [[fallthrough]];
    case check::ListRead::Failed:
        std::fprintf(stderr, "Cannot read the recorded list %s: %s\n", path.c_str(),
                     reason.c_str());
        return !arguments.recorded;
    case check::ListRead::Read:
        break;
    }
    options.recorded = check::RecordedListSource(reading.List());
    return true;
}

int RunCheck(const CommandLine& line, const CheckArguments& arguments) {
    const char* file = arguments.file.c_str();
    check::CheckOptions options;
    options.audioFolder = arguments.folder;
    if (std::string wrong = arguments.settings.Apply(options); !wrong.empty())
        return line.UsageError("check", wrong);
    if (arguments.folder && !CheckReadableFolder(arguments.folder->c_str()))
        return 1;
    RecordedListReading reading;
    if (!UseRecordedList(arguments, reading, options))
        return 1;
    // The list's bad lines come first of what is told on standard error.
    const auto tellList = [&] {
        if (options.recorded)
            reading.Tell();
    };
    // The reference is matched by identifier and so held whole. A damaged
    // one is told, not refused: check only tells.
    TextResourceObject reference;
    if (arguments.reference) {
        tellList();
        TextResourceReadReport referenceReport;
        if (!Load(arguments.reference->c_str(), reference, &referenceReport))
            return 1;
        if (auto damage = check::DescribeLoadDamage(referenceReport, reference))
            std::fprintf(stderr,
                         "%s is damaged: %s\nIts entries are compared as they could be read.\n",
                         arguments.reference->c_str(), damage->first.detail.c_str());
        options.reference = &reference;
    }

    TextResourceReadReport report;
    StreamedFile input;
    if (!input.OpenQuietly(file, &report)) {
        tellList();
        ReportLoadFailure();
        return 1;
    }
    // Room for the entries the count promises, but no more than the file can
    // hold (a record takes 7 bytes at least): a damaged count must not claim memory.
    std::uint64_t expected = std::min<std::uint64_t>(report.count, 1u << 24);
    if (const std::uint64_t size = FileSize(file); size > 0)
        expected = std::min(expected, size / 7);
    check::Checker checker(options, &report, static_cast<std::size_t>(expected));
    TextResourceReader& reader = input.Reader();
    TextResourceEntry entry;
    while (reader.ReadEntry(entry)) {
        checker.Add(reader.EntriesRead() - 1, entry, report.problems);
        report.problems.clear(); // checked: they need not pile up
    }
    reader.Finish();
    const std::vector<check::Finding> findings = checker.Finish();
    tellList();

    std::string text;
    if (arguments.json) {
        text = check::FindingsJson(findings, file, reader.EntriesRead());
    } else {
        for (const check::Finding& finding : findings) {
            check::AppendFindingLine(text, finding);
            if (text.size() >= (1u << 20)) {
                std::fwrite(text.data(), 1, text.size(), stdout);
                text.clear();
            }
        }
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return findings.empty() ? 0 : 3;
}

} // namespace

void AddCheckCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<CheckArguments>(
        "check",
        "IN [--audio FOLDER [--recorded FILE | --no-recorded]] [--reference REF] [--max-cps N] "
        "[--levels] [--json]",
        "find what would break a build or a recording\nsession; exit status 3 with findings",
        RunCheck);
    AddOperand(command, "IN", arguments.file, "the text resource file");
    CLI::Option* audio =
        AddValueOption(command, "--audio", "FOLDER", arguments.folder,
                       "check the recordings under FOLDER, found as the editor finds them");
    CLI::Option* recorded =
        AddValueOption(command, "--recorded", "FILE", arguments.recorded,
                       "with --audio: the recorded list (default: next to IN, named after it)");
    CLI::Option* noRecorded = AddFlag(command, "--no-recorded", arguments.noRecorded,
                                      "with --audio: do not compare with the recorded list");
    recorded->excludes(noRecorded);
    recorded->needs(audio);
    AddValueOption(command, "--reference", "REF", arguments.reference,
                   "compare with REF, the same text in another language, by identifier");
    arguments.settings.AddTo(command);
    AddFlag(command, "--json", arguments.json, "one JSON object instead of tab-separated lines");
}
