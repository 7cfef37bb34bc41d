#pragma once

// The inputs over which the output of lexarium-tool check is kept byte for
// byte: every file the check's tests make, the seed files of the fuzzing
// corpus and folders of recordings. They are written under fixed relative
// names, so that the output names no temporary path when the tool runs in
// that folder.

#include "common/Entries.h"
#include "common/TempDir.h"
#include "model/TrsBytes.h"
#include "testdata/TestData.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <string>
#include <vector>

namespace checkcases {

struct Case {
    std::string name;  // the stem of its golden files
    std::string file;  // relative to the folder the inputs were written to
    std::string audio; // the folder of recordings, relative as well; empty: none
};

inline TextResourceEntry Entry(std::uint32_t id, const std::string& identifier,
                               const std::string& text, const std::string& audio = "leer",
                               std::uint32_t lengthMs = 0) {
    return MakeEntry({.id = id,
                      .identifier = identifier,
                      .audioFile = audio,
                      .text = text,
                      .lengthMs = lengthMs});
}

inline std::string FileOf(const std::vector<TextResourceEntry>& entries) {
    TextResourceObject object;
    for (const TextResourceEntry& entry : entries)
        object.AddEntry(entry);
    return testdata::ToFileBytes(object);
}

inline std::string Record(std::uint32_t id, const std::string& identifier,
                          const std::string& text = trsbytes::Str("text")) {
    using namespace trsbytes;
    return U32(id) + Str(identifier) + Str("leer") + text + Str("c") + Str("s") + U32(0);
}

// A recording of `milliseconds` at 8000 Hz, written by libsndfile.
inline void WriteRecording(const std::string& path, int milliseconds, int format = SF_FORMAT_WAV) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = format | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<short> samples(static_cast<std::size_t>(milliseconds) * 8, 0);
    sf_write_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

// A folder with one recording of each kind the check tells apart: found, a
// female take, too long, not a recording, another letter case, cut short, in
// a subfolder, named by no entry, and a file that is no recording at all.
inline void WriteRecordings(const std::filesystem::path& rec) {
    WriteRecording((rec / "hello.wav").string(), 1000);
    WriteRecording((rec / "hello_fem.wav").string(), 900);
    WriteRecording((rec / "long.wav").string(), 2000);
    WriteBytes((rec / "long_fem.wav").string(), "RIFF, but not a recording");
    WriteRecording((rec / "Case.WAV").string(), 500);
    WriteBytes((rec / "broken.wav").string(), std::string(100, 'x'));
    WriteRecording((rec / "sub/deep.wav").string(), 300);
    WriteRecording((rec / "sub/orphan.flac").string(), 300, SF_FORMAT_FLAC);
    WriteBytes((rec / "notes.txt").string(), "not audio");
}

// The file whose entries name the recordings of WriteRecordings.
inline std::string RecordingsFile() {
    return FileOf({
        Entry(1, "HELLO", "a", "hello.wav", 1100), // 100 ms: within
        Entry(2, "LONG", "b", "long.wav", 1500),
        Entry(3, "CASE", "c", "case.wav", 500),
        Entry(4, "BROKEN", "d", "broken.wav", 0),
        Entry(5, "GONE", "e", "missing.wav", 0),
        Entry(6, "NONE", "f", "leer", 0),
        Entry(7, "DEEP", "g", "sub\\deep.wav", 300),
    });
}

// Writes the inputs below `folder` and lists them.
inline std::vector<Case> WriteCases(const std::filesystem::path& folder) {
    using namespace trsbytes;
    std::vector<Case> cases;
    auto add = [&](const std::string& name, const std::string& bytes,
                   const std::string& audio = "") {
        WriteBytes((folder / (name + ".trs")).string(), bytes);
        cases.push_back(Case{name, name + ".trs", audio});
    };

    add("entries", FileOf({Entry(1, "A", "hello"), Entry(1, "B", ""), Entry(3, "A", "leer"),
                           Entry(4, "UNBENANNT", "x"), Entry(1, "Tab\there\n", "y")}));
    std::filesystem::create_directories(folder / "empty-rec");
    add("clean", FileOf({Entry(1, "A", "hello"), Entry(2, "B", "world")}));
    add("clean-audio", FileOf({Entry(1, "A", "hello"), Entry(2, "B", "world")}), "empty-rec");

    const std::string good = Header(4, 1) + Record(7, "ONE");
    add("foreign-magic", "NOT A TRS FILE!!" + good.substr(16));
    add("trailing", good + "junk");
    add("count-past-data", Header(4, 4) + Record(7, "ONE") + Record(8, "TWO"));
    add("newer-version", Header(7, 1) + Record(7, "ONE"));
    add("malformed-prefix", Header(4, 2) + U32(7) + Str("ONE") + std::string("\xFF\xFE\xFF", 3) +
                                Str("text") + Str("c") + Str("s") + U32(0) + Record(8, "TWO"));
    add("zero-byte", Header(4, 1) + Record(7, "ONE", Str(std::string("ab\0cd", 5))));
    add("cut-in-record", Header(4, 1) + U32(7) + Str("ONE") +
                             std::string("\x05"
                                         "ab",
                                         3));
    add("json-escapes", Header(4, 3) + Record(1, "first") +
                            Record(1, std::string("Gr\xC3\xBC\xC3\x9F"
                                                  "e \"quoted\" \\ ctl\x01\x1F\t\r\n",
                                                  27)) +
                            Record(1, "bad \xFF\xC3 utf-8") + "x");

    WriteRecordings(folder / "rec");
    add("recordings", RecordingsFile(), "rec");

    for (const auto& [name, bytes] : testdata::MakeSeedFiles())
        add("seed-" + name.substr(0, name.size() - 4), bytes);
    return cases;
}

} // namespace checkcases
