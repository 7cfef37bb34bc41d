// Every command that writes from IN or reports its figures refuses a file that
// did not load whole, as a user runs it: the first problem on standard error,
// nothing written, exit status 1; --accept-damage goes on, exit status 0; a
// foreign magic alone is no damage.

#include "CheckCases.h"
#include "RunTool.h"
#include "common/Environment.h"

#include <gtest/gtest.h>

using namespace trsbytes;

namespace {

// The names in the folder, apart from the captured output.
std::string Listing(const TempDir& dir) {
    std::string names;
    for (const auto& item : std::filesystem::recursive_directory_iterator(dir.Path())) {
        const std::string name = item.path().filename().string();
        if (name != "stdout.txt" && name != "stderr.txt")
            names += name + " ";
    }
    return names;
}

} // namespace

TEST(DamageRefusal, EveryCommandRefusesADamagedFileUnlessTold) {
    // A malformed prefix in the first record, then two bytes after the last.
    // The second entry has a recording, so that the export and the script list it.
    const std::string second =
        U32(8) + Str("TWO") + Str("two.wav") + Str("text") + Str("c") + Str("s") + U32(0);
    const std::string records = U32(7) + Str("ONE") + std::string("\xFF\xFE\xFF", 3) + Str("text") +
                                Str("c") + Str("s") + U32(0) + second;
    const std::string damaged = Header(4, 2) + records + "xy";
    const std::string foreign =
        "NOT A TRS FILE!!" + Header(4, 2).substr(16) + checkcases::Record(7, "ONE") + second;
    const std::string figures = "version: 4\nentries: 2\nwords: 2\ncharacters: 8\n";
    struct Command {
        const char* arguments; // IN and OUT stand for the files
        bool writes;
    };
    const Command commands[] = {
        {"info IN", false},    {"convert IN OUT", true}, {"xml IN OUT", true},
        {"text IN OUT", true}, {"text IN IN", true},     {"script IN OUT", true},
    };
    for (const Command& command : commands) {
        for (const bool outputExists : {true, false}) {
            SCOPED_TRACE(std::string(command.arguments) + (outputExists ? ", OUT exists" : ""));
            TempDir dir;
            Environment stateHome("XDG_STATE_HOME", dir.File("state"));
            const std::string in = dir.File("in.trs");
            const std::string out = dir.File("out");
            auto run = [&](const std::string& bytes, const std::string& options) {
                WriteBytes(in, bytes);
                if (outputExists)
                    WriteBytes(out, "precious");
                else
                    std::filesystem::remove(out);
                std::string arguments = command.arguments;
                arguments.replace(arguments.find("IN"), 2, Quote(in));
                if (const auto at = arguments.find("OUT"); at != std::string::npos)
                    arguments.replace(at, 3, Quote(out));
                else if (const auto again = arguments.find(" IN"); again != std::string::npos)
                    arguments.replace(again + 1, 2, Quote(in));
                return RunTool(dir, arguments + options);
            };
            const std::string before = Listing(dir);

            Outcome outcome = run(damaged, "");
            const std::string told = in +
                                     " is damaged: 2 bytes follow the last record, from byte " +
                                     std::to_string(damaged.size() - 2) +
                                     "\n1 more problem; lexarium-tool check lists them all.\n";
            EXPECT_EQ(outcome.status, 1);
            EXPECT_EQ(outcome.err, told + "Nothing was written; --accept-damage goes on with "
                                          "what could be read.\n");
            EXPECT_EQ(outcome.out, std::string(command.arguments) == "info IN" ? figures : "");
            EXPECT_EQ(ReadBytes(in), damaged) << "IN is left as it was";
            if (outputExists) {
                EXPECT_EQ(ReadBytes(out), "precious") << "OUT is left as it was";
            }
            EXPECT_EQ(Listing(dir), (outputExists ? "out " : "") + before + "in.trs ")
                << "nothing else is left behind";

            outcome = run(damaged, " --accept-damage");
            EXPECT_EQ(outcome.status, 0);
            EXPECT_EQ(outcome.err, told + "Going on with what could be read (--accept-damage).\n");
            if (command.writes) {
                const bool toOut = std::string(command.arguments).find("OUT") != std::string::npos;
                const std::string written = ReadBytes(toOut ? out : in);
                EXPECT_FALSE(written.empty());
                EXPECT_NE(written, "precious");
                EXPECT_NE(written, damaged);
            }

            outcome = run(foreign, "");
            EXPECT_EQ(outcome.status, 0) << outcome.err;
            EXPECT_EQ(outcome.err, "");
        }
    }
}
