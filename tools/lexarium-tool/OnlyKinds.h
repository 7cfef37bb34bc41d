#pragma once

// script --only KINDS: the kinds of finding of check that select the lines of
// the recording script, and the option each kind needs.

#include "check/CheckOptions.h"

#include <set>
#include <string>

// Reads the comma-separated `list` into `kinds`: what is wrong in words (an
// unknown kind, or a kind whose option `options` lacks: --audio, --max-cps,
// --levels), empty when nothing is.
std::string ReadOnlyKinds(const std::string& list, const check::CheckOptions& options,
                          std::set<std::string>& kinds);
