// lexarium-tool check with --max-cps and --levels, run as a user would, over
// WAV and FLAC recordings written here with known levels: clipped, with
// leading silence, silent, 10 LU too quiet, at another rate, and a female
// take.

#include "CheckCases.h"
#include "RunTool.h"
#include "Signals.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using checkcases::Entry;
using checkcases::FileOf;
using signals::kNormal;
using signals::Run;
using signals::WriteSignal;

class PaceAndLevelsTest : public ::testing::Test {
protected:
    Outcome Check(const std::string& bytes, const std::string& options) {
        WriteBytes(dir.File("in.trs"), bytes);
        return RunTool(dir, "check " + Quote(dir.File("in.trs")) + options);
    }
    // The findings' lines with the folder's path taken out.
    std::string Lines(const Outcome& outcome) {
        std::string text = outcome.out;
        const std::string folder = "\"" + rec + "/";
        for (std::size_t at; (at = text.find(folder)) != std::string::npos;)
            text.replace(at, folder.size(), "\"");
        return text;
    }
    TempDir dir;
    const std::string rec = dir.File("rec");
};

} // namespace

TEST_F(PaceAndLevelsTest, EveryLevelFindingFromTheRecordingsThemselves) {
    WriteSignal(rec + "/good.wav", {{3.0, kNormal}});
    WriteSignal(rec + "/also.wav", {{0.2, 0.0}, {2.0, kNormal}, {0.2, 0.0}});
    // A burst of 2 ms at full scale in a line of normal loudness.
    WriteSignal(rec + "/clipped.wav", {{1.5, kNormal}, {0.002, 1.0}, {1.5, kNormal}});
    WriteSignal(rec + "/lead.flac", {{1.5, 0.0}, {2.0, kNormal}, {1.2, 0.0}}, 16000, 1,
                SF_FORMAT_FLAC);
    WriteSignal(rec + "/quiet.wav", {{3.0, kNormal / std::sqrt(10.0)}}); // 10 LU quieter
    WriteSignal(rec + "/silent.wav", {{2.0, 0.0}});
    WriteSignal(rec + "/rate.wav", {{3.0, kNormal}}, 44100);
    WriteSignal(rec + "/stereo.wav", {{3.0, kNormal / std::sqrt(2.0)}}, 16000, 2);
    WriteSignal(rec + "/good_fem.wav", {{1.0, kNormal}, {0.002, 1.0}, {1.0, kNormal}});
    WriteBytes(rec + "/broken.wav", std::string(100, 'x'));
    const std::string file = FileOf({
        Entry(1, "GOOD", "a", "good.wav", 3000),
        Entry(2, "ALSO", "b", "also.wav", 2400),
        Entry(3, "CLIPPED", "c", "clipped.wav", 3002),
        Entry(4, "LEAD", "d", "lead.flac", 4700),
        Entry(5, "QUIET", "e", "quiet.wav", 3000),
        Entry(6, "SILENT", "f", "silent.wav", 2000),
        Entry(7, "RATE", "g", "rate.wav", 3000),
        Entry(8, "STEREO", "h", "stereo.wav", 3000),
        Entry(9, "BROKEN", "i", "broken.wav", 0),
    });

    Outcome outcome = Check(file, " --audio " + Quote(rec) + " --levels");
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_EQ(Lines(outcome),
              "clipped\t0\t1\tGOOD\tfemale take \"good_fem.wav\" peaks at 0.00 dBFS, at or above "
              "-0.1 dBFS\n"
              "clipped\t2\t3\tCLIPPED\t\"clipped.wav\" peaks at 0.00 dBFS, at or above -0.1 dBFS\n"
              "silence\t3\t4\tLEAD\t\"lead.flac\" starts with 1500 ms and ends with 1200 ms below "
              "-50 dBFS, more than 1000 ms\n"
              "loudness\t4\t5\tQUIET\t\"quiet.wav\" measures -33.0 LUFS, outside -23 \u00B1 3 LU\n"
              "silence\t5\t6\tSILENT\t\"silent.wav\" is silent throughout (below -50 dBFS)\n"
              "format-differs\t6\t7\tRATE\t\"rate.wav\" is 44100 Hz, 1 channel; 7 of 9 recordings "
              "are 16000 Hz, 1 channel\n"
              "format-differs\t7\t8\tSTEREO\t\"stereo.wav\" is 16000 Hz, 2 channels; 7 of 9 "
              "recordings are 16000 Hz, 1 channel\n"
              "unreadable-audio\t8\t9\tBROKEN\t\"broken.wav\" does not decode: Format not "
              "recognised.\n");

    // The settings move the limits: 1.2 s of silence and -33 LUFS pass.
    outcome = Check(file, " --audio " + Quote(rec) +
                              " --levels --max-silence 1300 --loudness -28 --loudness-tolerance 6");
    EXPECT_EQ(Lines(outcome).find("loudness\t"), std::string::npos) << outcome.out;
    EXPECT_NE(Lines(outcome).find("\"lead.flac\" starts with 1500 ms below -50 dBFS, more than "
                                  "1300 ms\n"),
              std::string::npos)
        << outcome.out;
    outcome = Check(file, " --audio " + Quote(rec) + " --levels --loudness -33 --loudness-tolerance 0.5");
    EXPECT_NE(Lines(outcome).find("loudness\t0\t1\tGOOD\t\"good.wav\" measures -23.0 LUFS, outside "
                                  "-33 \u00B1 0.5 LU\n"),
              std::string::npos)
        << outcome.out;

    // Without --levels the recordings are not measured.
    outcome = Check(file, " --audio " + Quote(rec));
    EXPECT_EQ(Lines(outcome), "unreadable-audio\t8\t9\tBROKEN\t\"broken.wav\" does not decode: "
                              "Format not recognised.\n");
}

TEST_F(PaceAndLevelsTest, TooFastAgainstTheRecordingOrTheStoredLength) {
    const std::string twenty = "Zwanzig Zeichen hier"; // 20 characters
    WriteSignal(rec + "/one.wav", {{1.0, kNormal}});
    WriteSignal(rec + "/one_fem.wav", {{0.5, kNormal}});
    WriteSignal(rec + "/two.wav", {{2.0, kNormal}});
    const std::string file = FileOf({
        // Found: its real length of 1 s counts, not the stored 10 s; the
        // female take is half as long.
        Entry(1, "FOUND", twenty, "one.wav", 10000),
        Entry(2, "SLOW", twenty, "two.wav", 100),
        // Not found, or no recording at all: the stored length.
        Entry(3, "STORED", twenty + twenty, "gone.wav", 1000),
        Entry(4, "NOAUDIO", twenty, "leer", 500),
        Entry(5, "ZERO", twenty, "leer", 0),
        // Line breaks do not count; a character is a code point.
        Entry(6, "BREAKS", "Zwanzig\r\nZeichen\r\nhier!!", "leer", 1000),
        Entry(7, "UMLAUT", "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", "leer", 400),
    });

    Outcome outcome = Check(file, " --max-cps 19.5");
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_EQ(outcome.out, "too-fast\t1\t2\tSLOW\t200.0 characters per second, above 19.5\n"
                           "too-fast\t2\t3\tSTORED\t40.0 characters per second, above 19.5\n"
                           "too-fast\t3\t4\tNOAUDIO\t40.0 characters per second, above 19.5\n"
                           "too-fast\t5\t6\tBREAKS\t20.0 characters per second, above 19.5\n");

    outcome = Check(file, " --max-cps 15 --audio " + Quote(rec));
    EXPECT_EQ(Lines(outcome),
              "length-mismatch\t0\t1\tFOUND\tstored 10000 ms, \"one.wav\" lasts 1000 ms\n"
              "too-fast\t0\t1\tFOUND\t20.0 characters per second, above 15\n"
              "too-fast\t0\t1\tFOUND\tfemale take: 40.0 characters per second, above 15\n"
              "length-mismatch\t1\t2\tSLOW\tstored 100 ms, \"two.wav\" lasts 2000 ms\n"
              "missing-audio\t2\t3\tSTORED\t\"gone.wav\" is not in the folder\n"
              "too-fast\t2\t3\tSTORED\t40.0 characters per second, above 15\n"
              "too-fast\t3\t4\tNOAUDIO\t40.0 characters per second, above 15\n"
              "too-fast\t5\t6\tBREAKS\t20.0 characters per second, above 15\n");
    EXPECT_EQ(Check(file, " --max-cps 200").status, 0);
}

TEST_F(PaceAndLevelsTest, OnlyRegularFilesOfAtMost2GiBAreRead) {
    WriteSignal(rec + "/good.wav", {{1.0, kNormal}});
    ASSERT_EQ(::mkfifo((rec + "/pipe.wav").c_str(), 0600), 0);
    // Sparse: it takes no room on the disk.
    WriteSignal(rec + "/huge.wav", {{1.0, kNormal}});
    std::filesystem::resize_file(rec + "/huge.wav", (2ull << 30) + 1);
    const std::string file = FileOf({Entry(1, "PIPE", "a", "pipe.wav", 0),
                                     Entry(2, "HUGE", "b", "huge.wav", 1000),
                                     Entry(3, "GOOD", "c", "good.wav", 1000)});
    // A FIFO that nobody writes to would block its reader for ever.
    Outcome outcome = Check(file, " --audio " + Quote(rec) + " --levels");
    EXPECT_EQ(Lines(outcome),
              "missing-audio\t0\t1\tPIPE\t\"pipe.wav\" is not in the folder\n"
              "unreadable-audio\t1\t2\tHUGE\t\"huge.wav\" does not decode: larger than 2 GiB\n");
}

TEST_F(PaceAndLevelsTest, OptionMistakesNameTheOption) {
    const OptionMistake mistakes[] = {
        {" --levels", "option --levels needs --audio"},
        {" --max-cps abc", "option --max-cps needs a decimal number above 0, not \"abc\""},
        {" --max-cps 0", "option --max-cps needs a decimal number above 0, not \"0\""},
        {" --max-cps 2,5", "option --max-cps needs a decimal number above 0, not \"2,5\""},
        {" --max-cps", "option --max-cps needs a value (N)"},
        {" --audio . --max-silence 10", "option --max-silence needs --levels"},
        {" --audio . --levels --max-silence -1",
         "option --max-silence needs a decimal number of 0 or more, not \"-1\""},
        {" --audio . --levels --loudness loud",
         "option --loudness needs a decimal number, not \"loud\""},
        {" --audio . --levels --loudness-tolerance nan",
         "option --loudness-tolerance needs a decimal number of 0 or more, not \"nan\""},
    };
    const std::string file = FileOf({Entry(1, "A", "a")});
    ExpectMistakes("check", mistakes, ErrorLine::Whole,
                   [&](const char* options) { return Check(file, options); });
}
