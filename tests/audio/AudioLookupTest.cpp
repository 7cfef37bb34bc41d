// Finding recordings: female names, the two candidates with the folder's
// fix-up, backslash names, letter case, and what never counts as found.

#include "audio/AudioLookup.h"

#include "common/Entries.h"
#include "common/TempDir.h"
#include "common/Unprivileged.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using audio::AudioLocator;
using audio::AudioMatch;

namespace {

TextResourceEntry Recording(const std::string& audioFile) {
    return MakeEntry({.audioFile = audioFile});
}

class AudioLookupTest : public ::testing::Test {
protected:
    void Touch(const std::string& relative) {
        const std::filesystem::path file = dir.Path() / relative;
        std::filesystem::create_directories(file.parent_path());
        WriteBytes(file.string(), "RIFF");
    }
    // The path found for the entry, or "-" when nothing was found.
    std::string Find(const std::string& audioFile, bool female = false) {
        std::string path;
        return audio::ResolveAudioPath(Recording(audioFile), female, folder, path) ? path : "-";
    }
    std::string Root() const { return dir.Path().string(); }

    TempDir dir;
    std::string folder;
};

TEST(FemaleNameTest, InsertsBeforeTheLastDotOfTheStoredBytes) {
    std::string result;
    ASSERT_TRUE(audio::MakeFemaleName("voice.wav", result));
    EXPECT_EQ(result, "voice_fem.wav");
    ASSERT_TRUE(audio::MakeFemaleName("a.b.wav", result));
    EXPECT_EQ(result, "a.b_fem.wav");
    ASSERT_TRUE(audio::MakeFemaleName("x.dir\\voice", result));
    EXPECT_EQ(result, "x_fem.dir\\voice");
    result = "kept";
    EXPECT_FALSE(audio::MakeFemaleName("voice", result));
    EXPECT_FALSE(audio::MakeFemaleName("", result));
    EXPECT_EQ(result, "kept");
}

TEST_F(AudioLookupTest, FolderWithoutSeparatorIsRepairedByTheFirstFileFound) {
    Touch("audio/voice.wav");
    Touch("audio/voice_fem.wav");
    folder = Root() + "/audio";
    EXPECT_EQ(Find("missing.wav"), "-");
    EXPECT_EQ(folder, Root() + "/audio"); // nothing found, nothing repaired
    EXPECT_EQ(Find("voice.wav"), Root() + "/audio/voice.wav");
    EXPECT_EQ(folder, Root() + "/audio/");
    // Later lookups, plain or female, find their files with the first candidate.
    EXPECT_EQ(Find("voice.wav", true), Root() + "/audio/voice_fem.wav");
    EXPECT_EQ(folder, Root() + "/audio/");
}

TEST_F(AudioLookupTest, EmptyFolderLooksInTheCurrentFolder) {
    Touch("line.wav");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const std::string found = Find("line.wav");
    const std::string missing = Find("other.wav");
    std::filesystem::current_path(before);
    EXPECT_EQ(found, "line.wav");
    EXPECT_EQ(missing, "-");
    EXPECT_EQ(folder, "");
}

TEST_F(AudioLookupTest, NamesThatNameNoFileAreNeverFound) {
    Touch("audio/leer/inside.wav");
    Touch("audio/voice");
    std::filesystem::create_directories(dir.Path() / "audio/folder.wav");
    folder = Root() + "/audio/";
    EXPECT_EQ(Find("folder.wav"), "-"); // a folder is no recording
    EXPECT_EQ(Find("leer"), "-");
    EXPECT_EQ(Find(""), "-");
    EXPECT_EQ(Find("", true), "-");
    EXPECT_EQ(Find("voice", true), "-"); // no "." means no female name
    EXPECT_EQ(Find("voice"), Root() + "/audio/voice");
    EXPECT_EQ(folder, Root() + "/audio/");
}

TEST_F(AudioLookupTest, BackslashesOfStoredNamesSeparateFolders) {
    Touch("audio/x.dir/voice.wav");
    Touch("audio/x_fem.dir/voice");
    folder = Root() + "/audio/";
    TextResourceEntry entry = Recording("x.dir\\voice.wav");
    std::string path;
    ASSERT_TRUE(audio::ResolveAudioPath(entry, false, folder, path));
    EXPECT_EQ(path, Root() + "/audio/x.dir/voice.wav");
    EXPECT_EQ(entry.audioFile, "x.dir\\voice.wav");
    EXPECT_EQ(Find("x.dir\\voice", true), Root() + "/audio/x_fem.dir/voice");
}

TEST_F(AudioLookupTest, LetterCaseIsIgnoredBelowTheFolderOnlyWhenNoExactMatchExists) {
    Touch("audio/M01_Intro.WAV");
    Touch("audio/Sub/Line.wav");
    Touch("audio/VOICE.wav");
    Touch("audio/Voice.wav");
    Touch("audio/both.wav");
    Touch("audio/Both.wav");
    Touch("audio/Ärger.wav");
    Touch("audio/ΦΩΝΗ.wav");
    folder = Root() + "/audio/";
    AudioLocator locator;
    auto result = locator.FindRecording(folder, Recording("m01_intro.wav"), false);
    EXPECT_EQ(result.match, AudioMatch::IgnoringCase);
    EXPECT_EQ(result.path, Root() + "/audio/M01_Intro.WAV"); // the real name on disk
    EXPECT_EQ(Find("sub\\LINE.wav"), Root() + "/audio/Sub/Line.wav");
    EXPECT_EQ(Find("voice.wav"), Root() + "/audio/VOICE.wav"); // the first in byte order
    EXPECT_EQ(locator.FindRecording(folder, Recording("Both.wav"), false).match, AudioMatch::Exact);
    EXPECT_EQ(Find("both.wav"), Root() + "/audio/both.wav");
    EXPECT_EQ(Find("ärger.wav"), Root() + "/audio/Ärger.wav");
    EXPECT_EQ(Find("φωνη.wav"), Root() + "/audio/ΦΩΝΗ.wav");
    // The mission folder itself is taken as typed.
    folder = Root() + "/AUDIO/";
    EXPECT_EQ(Find("both.wav"), "-");
}

TEST_F(AudioLookupTest, CaseMatchThroughTheSecondCandidateRepairsTheFolder) {
    Touch("audio/take.wav");
    folder = Root() + "/audio";
    AudioLocator locator(true);
    auto result = locator.FindRecording(folder, Recording("TAKE.wav"), false);
    EXPECT_EQ(result.match, AudioMatch::IgnoringCase);
    EXPECT_TRUE(result.folderRepaired);
    EXPECT_EQ(result.path, Root() + "/audio/take.wav");
    EXPECT_EQ(result.repairedFolder, Root() + "/audio/");
    EXPECT_EQ(folder, Root() + "/audio") << "the caller keeps the repair, not the lookup";
}

} // namespace

namespace {

TEST_F(AudioLookupTest, CachedLookupsFindWhatTheFileSystemHoldsWhenListed) {
    Touch("audio/voice.wav");
    Touch("audio/voice_fem.wav");
    Touch("audio/Sub/line.wav");
    Touch("audio/M01.WAV");
    Touch("audiofirst.wav"); // reached by the first candidate of a folder without separator
    std::filesystem::create_directories(dir.Path() / "audio/folder.wav");
    const std::vector<std::pair<std::string, bool>> names = {
        {"voice.wav", false}, {"voice.wav", true},   {"sub\\line.wav", false}, {"m01.wav", false},
        {"first.wav", false}, {"folder.wav", false}, {"missing.wav", true},    {"", false}};
    for (const std::string& start : {Root() + "/audio", Root() + "/audio/"}) {
        std::string cachedFolder = start;
        std::string plainFolder = start;
        AudioLocator cached(true);
        AudioLocator plain;
        for (const auto& [name, female] : names) {
            auto a = cached.FindRecording(cachedFolder, Recording(name), female);
            auto b = plain.FindRecording(plainFolder, Recording(name), female);
            if (a.folderRepaired)
                cachedFolder = a.repairedFolder;
            if (b.folderRepaired)
                plainFolder = b.repairedFolder;
            EXPECT_EQ(a.match, b.match) << start << " " << name;
            EXPECT_EQ(a.path, b.path) << start << " " << name;
            EXPECT_EQ(cachedFolder, plainFolder);
        }
        // Each folder is listed once: a file that comes later is not seen.
        Touch("audio/later.wav");
        EXPECT_FALSE(cached.FindRecording(cachedFolder, Recording("later.wav"), false).Found());
        EXPECT_TRUE(plain.FindRecording(plainFolder, Recording("later.wav"), false).Found());
        std::filesystem::remove(dir.Path() / "audio/later.wav");
    }
}

// The system ends a path at a zero byte: "voice.wav\0x" must not find
// voice.wav, whether the lookup asks the file system or a folder's listing.
TEST_F(AudioLookupTest, NamesHoldingAZeroByteFindNothingWithOrWithoutTheCache) {
    Touch("audio/voice.wav");
    Touch("audio/voice_fem.wav");
    Touch("audio/sub/line.wav");
    using namespace std::string_literals;
    const std::vector<std::string> names = {"voice.wav\0x"s, "voice.wav\0"s, "\0voice.wav"s,
                                            "sub\0\\line.wav"s, "SUB\\LINE.wav\0"s};
    const std::vector<std::string> folders = {Root() + "/audio", Root() + "/audio/",
                                              Root() + "/audio/\0"s, Root() + "/\0/audio/"s};
    for (const std::string& start : folders) {
        for (const bool cache : {false, true}) {
            AudioLocator locator(cache);
            for (const std::string& name : names) {
                for (const bool female : {false, true}) {
                    const auto result = locator.FindRecording(start, Recording(name), female);
                    EXPECT_FALSE(result.Found()) << start << " " << name << " cache " << cache;
                    EXPECT_FALSE(result.folderRepaired);
                    EXPECT_EQ(result.path, "");
                }
            }
        }
    }
    EXPECT_FALSE(AudioLocator::IsReadableFile(Root() + "/audio/voice.wav\0x"s));
    EXPECT_TRUE(AudioLocator::IsReadableFile(Root() + "/audio/voice.wav"));
}

// A file the user may not read is no recording, in both modes; the test of
// it asks with the program's own user.
TEST_F(AudioLookupTest, FilesThatCannotBeReadAreNotFound) {
    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    ::chmod(dir.Path().c_str(), 0755);
    Touch("audio/open.wav");
    Touch("audio/locked.wav");
    Touch("audio/Sub/Locked.wav");
    ::chmod((dir.Path() / "audio/locked.wav").c_str(), 0600); // the superuser's
    ::chmod((dir.Path() / "audio/Sub/Locked.wav").c_str(), 0600);
    const std::string root = Root();
    const std::string found = unprivileged::RunUnprivileged([&] {
        std::string text;
        for (const bool cache : {false, true}) {
            AudioLocator locator(cache);
            for (const char* name : {"open.wav", "locked.wav", "sub\\locked.wav"})
                text += locator.FindRecording(root + "/audio/", Recording(name), false).Found()
                            ? "+"
                            : "-";
            text += " ";
        }
        return text;
    });
    EXPECT_EQ(found, "+-- +-- ");
}

// Names from damaged files may be of any length: the lookup stays linear in
// it, and a candidate longer than the system's path limit is not found at
// once, also where a short spelling of the same path would be.
TEST_F(AudioLookupTest, NamesOfAnyLengthAreLookedUpInTimeLinearInTheirLength) {
    Touch("audio/voice.wav");
    Touch("audio/sub/voice.wav");
    auto repeat = [](const std::string& part, std::size_t times) {
        std::string text;
        for (std::size_t i = 0; i < times; ++i)
            text += part;
        return text;
    };
    folder = Root() + "/audio/";
    EXPECT_EQ(Find(repeat(".\\", 20) + "VOICE.wav"),
              Root() + "/audio/" + repeat("./", 20) + "voice.wav");
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& base : {Root() + "/audio", Root() + "/audio/"}) {
        for (const bool cache : {false, true}) {
            AudioLocator locator(cache);
            for (const std::string& name :
                 {std::string(300000, '\\'), repeat(".\\", 150000) + "VOICE.wav",
                  repeat("SUB\\", 75000) + "voice.wav", std::string(300000, 'a') + ".wav"}) {
                for (const bool female : {false, true}) {
                    const auto result = locator.FindRecording(base, Recording(name), female);
                    EXPECT_FALSE(result.Found()) << name.substr(0, 20) << " " << female;
                }
            }
        }
    }
    const auto took = std::chrono::steady_clock::now() - start;
    // Quadratic, each of these took seconds; linear, all of them take milliseconds.
    EXPECT_LT(took, std::chrono::milliseconds(1500));
}

} // namespace
