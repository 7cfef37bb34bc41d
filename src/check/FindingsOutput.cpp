#include "check/FindingsOutput.h"

#include "check/OutputText.h"

namespace check {

void AppendFindingLine(std::string& out, const Finding& finding) {
    out += finding.kind;
    out += '\t';
    if (finding.OfEntry()) {
        out += std::to_string(finding.position);
        out += '\t';
        out += std::to_string(finding.id);
        out += '\t';
        out += LineField(finding.identifier);
    } else if (finding.scope == Scope::Reference) {
        // Not an entry of this file: the identifier alone says which.
        out += "-\t-\t";
        out += LineField(finding.identifier);
    } else {
        out += "-\t-\t-";
    }
    out += '\t';
    out += LineField(finding.detail);
    out += '\n';
}

std::string FindingLines(const std::vector<Finding>& findings) {
    std::string lines;
    for (const Finding& finding : findings)
        AppendFindingLine(lines, finding);
    return lines;
}

std::string FindingsJson(const std::vector<Finding>& findings, const std::string& file,
                         std::uint32_t entries) {
    std::string text = "{\"file\": " + JsonString(file) +
                       ", \"entries\": " + std::to_string(entries) + ", \"findings\": [";
    bool first = true;
    for (const Finding& finding : findings) {
        text += first ? "\n  " : ",\n  ";
        first = false;
        text += "{\"kind\": " + JsonString(finding.kind);
        if (finding.OfEntry()) {
            text += ", \"position\": " + std::to_string(finding.position);
            text += ", \"id\": " + std::to_string(finding.id);
            text += ", \"identifier\": " + JsonString(finding.identifier);
        } else if (finding.scope == Scope::Reference) {
            text += ", \"position\": null, \"id\": null, \"identifier\": " +
                    JsonString(finding.identifier);
        } else {
            text += ", \"position\": null, \"id\": null, \"identifier\": null";
        }
        text += ", \"detail\": " + JsonString(finding.detail) + "}";
    }
    text += first ? "]}\n" : "\n]}\n";
    return text;
}

} // namespace check
