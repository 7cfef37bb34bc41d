#pragma once

// The recorded list of IN for the commands that read or write it: found
// next to IN unless named, and its bad lines told on standard error as
// PATH:LINE: reason.

#include "check/RecordedList.h"

#include <optional>
#include <string>

// The path of the list: `named` when given, else the one next to `input`.
std::string RecordedListPath(const std::string& input, const std::optional<std::string>& named);

// Prints each problem of `list` as PATH:LINE: reason.
void TellListProblems(const std::string& path, const check::RecordedList& list);

// The time a record run writes into its lines: SOURCE_DATE_EPOCH when set,
// for reproducible runs, else now; empty, after a message, when the variable
// holds no time.
std::string RecordTime();
