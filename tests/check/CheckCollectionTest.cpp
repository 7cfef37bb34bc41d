// The check of a collection in memory, as the editor runs it: the same
// findings as lexarium-tool check streaming the same bytes (its kept output,
// made before the checks became a library), the field each finding is about,
// progress and cancellation.

#include "check/Checker.h"
#include "check/FindingsOutput.h"
#include "common/Unprivileged.h"
#include "support/tsMemoryStream.h"
#include "tool/CheckCases.h"

#include <atomic>
#include <gtest/gtest.h>

namespace {

// Runs in `folder` while it lives, so that relative names resolve there.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(m_previous); }

private:
    std::filesystem::path m_previous;
};

// Loads the file as the editor does, with a report of its damage.
bool Load(const std::string& path, TextResourceObject& collection, TextResourceReadReport& report) {
    tsMemoryStream stream(ReadBytes(path));
    return collection.Read(stream, report) >= 0;
}

std::vector<check::Finding> Check(const TextResourceObject& collection,
                                  const TextResourceReadReport* report,
                                  const std::optional<std::string>& audio = std::nullopt) {
    check::CheckOptions options;
    options.audioFolder = audio;
    auto findings = check::CheckCollection(collection, options, report);
    EXPECT_TRUE(findings.has_value());
    return findings.value_or(std::vector<check::Finding>());
}

} // namespace

TEST(CheckCollection, GivesTheStreamedToolsFindingsForTheSameBytes) {
    TempDir dir;
    std::vector<std::pair<std::filesystem::path, checkcases::Case>> runs;
    for (const checkcases::Case& input : checkcases::WriteCases(dir.Path()))
        runs.emplace_back(dir.Path(), input);
    runs.emplace_back(LEXARIUM_SOURCE_DIR,
                      checkcases::Case{"sample", "samples/sample.trs", "samples/audio"});
    for (const auto& [folder, input] : runs) {
        SCOPED_TRACE(input.name);
        WorkingFolder working(folder);
        TextResourceObject collection;
        TextResourceReadReport report;
        const std::string golden = std::string(LEXARIUM_GOLDEN_DIR) + "/" + input.name;
        if (!Load(input.file, collection, report)) {
            EXPECT_EQ(ReadBytes(golden + ".tsv"), "") << "the tool checks no file it cannot load";
            continue;
        }
        const auto audio =
            input.audio.empty() ? std::nullopt : std::optional<std::string>(input.audio);
        const std::vector<check::Finding> findings = Check(collection, &report, audio);
        EXPECT_EQ(check::FindingLines(findings), ReadBytes(golden + ".tsv"));
        EXPECT_EQ(check::FindingsJson(findings, input.file, collection.GetEntryCount()),
                  ReadBytes(golden + ".json"));
    }
}

TEST(CheckCollection, EachFindingNamesTheFieldItIsAbout) {
    TempDir dir;
    WorkingFolder working(dir.Path());
    std::string kinds;
    for (const checkcases::Case& input : checkcases::WriteCases(dir.Path())) {
        if (input.name.rfind("seed-", 0) == 0)
            continue;
        TextResourceObject collection;
        TextResourceReadReport report;
        Load(input.file, collection, report);
        const auto audio =
            input.audio.empty() ? std::nullopt : std::optional<std::string>(input.audio);
        for (const check::Finding& finding : Check(collection, &report, audio))
            kinds += finding.kind + " " + std::to_string(static_cast<int>(finding.field)) + " " +
                     finding.detail.substr(0, 14) + "\n";
    }
    // None 0, Id 1, Identifier 2, AudioFile 3, Text 4, Comment 5, Speaker 6, Length 7
    EXPECT_EQ(kinds, "duplicate-id 1 the same id as\n"
                     "empty-text 4 the text is em\n"
                     "duplicate-identifier 2 the same ident\n"
                     "placeholder 4 the text is st\n"
                     "placeholder 2 the identifier\n"
                     "duplicate-id 1 the same id as\n"
                     "damaged 0 the first 16 b\n"
                     "damaged 0 4 bytes follow\n"
                     "damaged 0 the count prom\n"
                     "damaged 0 version 7 is n\n"
                     "damaged 3 audioFile at b\n"
                     "damaged 4 text at byte 3\n"
                     "damaged 3 audioFile at b\n"
                     "placeholder 4 the text is st\n"
                     "damaged 0 1 byte follows\n"
                     "duplicate-id 1 the same id as\n"
                     "duplicate-id 1 the same id as\n"
                     "length-mismatch 7 stored 1500 ms\n"
                     "unreadable-audio 3 female take \"r\n"
                     "case-mismatch 3 \"case.wav\" is \n"
                     "unreadable-audio 3 \"rec/broken.wa\n"
                     "missing-audio 3 \"missing.wav\" \n"
                     "unused-audio 0 \"sub/orphan.fl\n");
}

TEST(CheckCollection, TellsItsProgressAndGivesNothingOnceCancelled) {
    TextResourceObject collection = testdata::MakeTypicalCollection(10000);
    collection.AddEntry(*collection.GetEntry(0)); // one duplicate at least
    std::vector<std::uint64_t> done;
    check::CheckControl control;
    control.progress = [&](std::uint64_t entries, std::uint64_t total) {
        EXPECT_EQ(total, 10001u);
        done.push_back(entries);
    };
    auto findings = check::CheckCollection(collection, {}, nullptr, control);
    ASSERT_TRUE(findings.has_value());
    EXPECT_FALSE(findings->empty());
    EXPECT_EQ(done, (std::vector<std::uint64_t>{4096, 8192, 10001}));

    // Cancelled at the first report of progress, with recordings to look up.
    TempDir dir;
    std::atomic<bool> cancel = false;
    control.cancel = &cancel;
    control.progress = [&](std::uint64_t, std::uint64_t) { cancel = true; };
    check::CheckOptions options;
    options.audioFolder = dir.Path().string();
    EXPECT_FALSE(check::CheckCollection(collection, options, nullptr, control).has_value());
}

TEST(CheckCollection, FoldersOfRecordingsThatCannotBeReadArePassedOver) {
    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    TempDir dir;
    ::chmod(dir.Path().c_str(), 0755);
    const std::filesystem::path rec = dir.Path() / "rec";
    for (const char* file : {"locked/hidden.wav", "open/seen.wav", "z.wav"}) {
        std::filesystem::create_directories((rec / file).parent_path());
        WriteBytes((rec / file).string(), "RIFF");
    }
    ::chmod((rec / "locked").c_str(), 0700); // the superuser's: nobody else lists it
    const std::string listed = unprivileged::RunUnprivileged([&] {
        check::CheckOptions options;
        options.audioFolder = rec.string();
        const auto findings = check::CheckCollection(TextResourceObject(), options, nullptr);
        return findings ? check::FindingLines(*findings) : "<cancelled>";
    });
    EXPECT_EQ(listed, "unused-audio\t-\t-\t-\t\"open/seen.wav\" is not the recording of any entry\n"
                      "unused-audio\t-\t-\t-\t\"z.wav\" is not the recording of any entry\n");
}
