// lexarium-tool's command line as a user meets it: each kind of mistake named
// on the first line of standard error, then the usage of the command (or the
// general usage), exit status 2; help and --version on standard output, exit 0.

#include "RunTool.h"

#include <gtest/gtest.h>

namespace {

// The usage of one command: the lines of `help COMMAND` before the details.
std::string CommandUsage(const TempDir& dir, const std::string& command) {
    const std::string help = RunTool(dir, "help " + command).out;
    return help.substr(0, help.find("\n\n") + 1);
}

} // namespace

TEST(CommandLine, EachMistakeIsNamedBeforeTheUsage) {
    TempDir dir;
    const std::string general = RunTool(dir, "help").out;
    ASSERT_EQ(general.rfind("usage: lexarium-tool info FILE [--accept-damage]\n", 0), 0u);
    struct Mistake {
        const char* arguments;
        const char* firstLine;
        const char* usageOf; // empty: the general usage
    };
    const Mistake mistakes[] = {
        {"", "lexarium-tool: missing command", ""},
        {"frobnicate a b", "lexarium-tool: unknown command \"frobnicate\"", ""},
        {"--bogus", "lexarium-tool: unknown option \"--bogus\"", ""},
        {"help frobnicate", "lexarium-tool: unknown command \"frobnicate\"", ""},
        {"check in.trs --bogus", "lexarium-tool check: unknown option \"--bogus\"", "check"},
        {"check in.trs --audio", "lexarium-tool check: option --audio needs a value (FOLDER)",
         "check"},
        {"script in.trs out.csv --speaker",
         "lexarium-tool script: option --speaker needs a value (NAME)", "script"},
        {"check in.trs --json=yes", "lexarium-tool check: option --json takes no value", "check"},
        {"check in.trs --json --json", "lexarium-tool check: option --json is given more than once",
         "check"},
        {"info", "lexarium-tool info: missing operand FILE", "info"},
        {"convert in.trs", "lexarium-tool convert: missing operand OUT", "convert"},
        {"xml a b c", "lexarium-tool xml: extra operand \"c\"", "xml"},
        {"check in.trs -- --json", "lexarium-tool check: extra operand \"--json\"", "check"},
        {"text a b --accept-damage --audio x", "lexarium-tool text: unknown option \"--audio\"",
         "text"},
    };
    for (const Mistake& mistake : mistakes) {
        SCOPED_TRACE(mistake.arguments);
        const Outcome outcome = RunTool(dir, mistake.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        const std::string usage =
            *mistake.usageOf == '\0' ? general : CommandUsage(dir, mistake.usageOf);
        EXPECT_EQ(outcome.err, mistake.firstLine + std::string("\n") + usage);
    }
}

TEST(CommandLine, HelpAndVersionGoToStandardOutput) {
    TempDir dir;
    const Outcome version = RunTool(dir, "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "lexarium-tool " LEXARIUM_VERSION "\n");
    EXPECT_EQ(version.err, "");

    const std::string general = RunTool(dir, "help").out;
    for (const char* arguments : {"help", "--help", "-h"}) {
        const Outcome outcome = RunTool(dir, arguments);
        EXPECT_EQ(outcome.status, 0) << arguments;
        EXPECT_EQ(outcome.out, general) << arguments;
        EXPECT_EQ(outcome.err, "") << arguments;
    }
    for (const char* command : {"info", "convert", "xml", "text", "check", "script"}) {
        SCOPED_TRACE(command);
        const Outcome help = RunTool(dir, std::string("help ") + command);
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind(std::string("usage: lexarium-tool ") + command + " ", 0), 0u);
        // Every operand and option is told about.
        EXPECT_NE(help.out.find(std::string(command) == "info" ? "\n  FILE" : "\n  IN"),
                  std::string::npos);
        EXPECT_EQ(help.out.find("--accept-damage", help.out.find("\n\n")) != std::string::npos,
                  std::string(command) != "check");
        const Outcome asked = RunTool(dir, std::string(command) + " --help");
        EXPECT_EQ(asked.status, 0);
        EXPECT_EQ(asked.out, help.out);
    }
}
