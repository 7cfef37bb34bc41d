// The output of lexarium-tool check, both forms, compared byte for byte with
// the output kept in golden/, over the inputs of CheckCases.h and the sample
// file with its recordings. The tool runs in the folder of its inputs with
// relative names, so the output names no temporary path.
//
// To write the golden files again (only when the output is meant to change):
// LEXARIUM_WRITE_GOLDEN=1 ctest -R CheckGolden

#include "CheckCases.h"
#include "RunTool.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct GoldenRun {
    std::string name;
    std::string folder; // where the tool runs
    checkcases::Case input;
    std::string options; // beyond the case's own
};

std::string GoldenFile(const std::string& name) {
    return std::string(LEXARIUM_GOLDEN_DIR) + "/" + name;
}

} // namespace

TEST(CheckGolden, OutputStaysByteForByte) {
    TempDir dir;
    const std::filesystem::path folder = dir.Path() / "inputs";
    std::filesystem::create_directories(folder);
    std::vector<GoldenRun> runs;
    for (const checkcases::Case& input : checkcases::WriteCases(folder))
        runs.push_back(GoldenRun{input.name, folder.string(), input, {}});
    // The sample's recorded list has a line of its own to tell (RecordTest
    // checks it); the rest of its output stays as it was.
    runs.push_back(GoldenRun{"sample",
                             LEXARIUM_SOURCE_DIR,
                             {"sample", "samples/sample.trs", "samples/audio"},
                             " --no-recorded"});

    const bool write = std::getenv("LEXARIUM_WRITE_GOLDEN") != nullptr;
    std::string statuses;
    for (const GoldenRun& run : runs) {
        for (const char* form : {"tsv", "json"}) {
            SCOPED_TRACE(run.name + "." + form);
            std::string arguments = "check " + Quote(run.input.file);
            if (!run.input.audio.empty())
                arguments += " --audio " + Quote(run.input.audio) + run.options;
            if (std::string(form) == "json")
                arguments += " --json";
            const Outcome outcome = RunShell(dir, "cd " + Quote(run.folder) + " && " +
                                                      Quote(LEXARIUM_TOOL_PATH) + " " + arguments);
            statuses += run.name + "\t" + form + "\t" + std::to_string(outcome.status) + "\t" +
                        std::to_string(outcome.err.size()) + "\n";
            const std::string golden = GoldenFile(run.name + "." + form);
            if (write)
                WriteBytes(golden, outcome.out);
            else
                EXPECT_EQ(outcome.out, ReadBytes(golden));
        }
    }
    // The exit status and the length of standard error of each run.
    if (write)
        WriteBytes(GoldenFile("exit-status.tsv"), statuses);
    else
        EXPECT_EQ(statuses, ReadBytes(GoldenFile("exit-status.tsv")));
}
