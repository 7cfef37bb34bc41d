#pragma once

// The two printed forms of the findings, as lexarium-tool check prints them.

#include "check/Finding.h"

#include <cstdint>
#include <string>
#include <vector>

namespace check {

// KIND, POSITION, ID, IDENTIFIER, DETAIL: one line each, tab-separated.
void AppendFindingLine(std::string& out, const Finding& finding);
std::string FindingLines(const std::vector<Finding>& findings);
// One JSON object: the file's name, its entry count and the findings.
std::string FindingsJson(const std::vector<Finding>& findings, const std::string& file,
                         std::uint32_t entries);

} // namespace check
