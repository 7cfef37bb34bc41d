#pragma once

// "lexarium --help" and "lexarium --version": they print to standard output
// and end the program before anything of the window system starts, so they
// work without a display too. Every other argument is left to the framework's
// command line and to Qt.

#include <iosfwd>
#include <optional>

// The exit status when an argument asks for the help text or the version,
// after printing it to `out`; none otherwise.
std::optional<int> RunInfoSwitch(int argc, const char* const* argv, std::ostream& out);
