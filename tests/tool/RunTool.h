#pragma once

// Runs lexarium-tool as a user would and collects its output and exit status.

#include "common/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <sys/wait.h>

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Quote(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a shell command with its output going to files in `dir`.
inline Outcome RunShell(const TempDir& dir, const std::string& command) {
    const std::string outFile = dir.File("stdout.txt");
    const std::string errFile = dir.File("stderr.txt");
    const std::string line = command + " >" + Quote(outFile) + " 2>" + Quote(errFile);
    const int raw = std::system(line.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = ReadBytes(outFile);
    outcome.err = ReadBytes(errFile);
    return outcome;
}

inline Outcome RunTool(const TempDir& dir, const std::string& arguments) {
    return RunShell(dir, Quote(LEXARIUM_TOOL_PATH) + " " + arguments);
}

// Whether python3 runs here: the tests read JSON and CSV back with its parsers.
inline bool HavePython() {
    return std::system("python3 -c 'import csv, json' >/dev/null 2>&1") == 0;
}

// Options that a command refuses, and the error that names the mistake.
struct OptionMistake {
    const char* options;
    const char* error;
};

// How much of the first line of standard error an OptionMistake's error is.
enum class ErrorLine { Whole, Start };

// Each mistake, run through `run`, ends with status 2, writes nothing to
// standard output, and says "lexarium-tool COMMAND: " and its error on the
// first line of standard error: the whole line, or its start where the line
// goes on to list what is allowed.
template <class Run>
void ExpectMistakes(const std::string& command, std::span<const OptionMistake> mistakes,
                    ErrorLine match, Run run) {
    for (const OptionMistake& mistake : mistakes) {
        SCOPED_TRACE(mistake.options);
        const Outcome outcome = run(mistake.options);
        EXPECT_EQ(outcome.status, 2);
        const std::string expected = "lexarium-tool " + command + ": " + mistake.error;
        std::string line = outcome.err.substr(0, outcome.err.find('\n'));
        if (match == ErrorLine::Start)
            line = line.substr(0, expected.size());
        EXPECT_EQ(line, expected);
        EXPECT_EQ(outcome.out, "");
    }
}
