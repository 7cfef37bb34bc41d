#pragma once

// Runs lexarium-tool as a user would and collects its output and exit status.

#include "common/TempDir.h"

#include <cstdlib>
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
