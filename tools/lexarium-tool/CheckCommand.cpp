// lexarium-tool check: what would break a build or a recording session.
// The file is streamed through the checks; only what they need is kept.

#include "ToolCommands.h"
#include "ToolFiles.h"
#include "check/Checker.h"
#include "check/FindingsOutput.h"

#include <algorithm>
#include <cstdio>

int RunCheck(const char* file, const char* folder, bool json) {
    check::CheckOptions options;
    if (folder != nullptr) {
        std::string reason;
        if (!IsReadableFolder(folder, reason)) {
            std::fprintf(stderr, "Cannot read the folder %s: %s\n", folder, reason.c_str());
            return 1;
        }
        options.audioFolder = folder;
    }

    TextResourceReadReport report;
    StreamedFile input;
    if (!input.Open(file, &report))
        return 1;
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

    std::string text;
    if (json) {
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
