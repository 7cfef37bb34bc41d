#include "check/Placeholders.h"

#include <algorithm>
#include <cstddef>

namespace check {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameCharacter(char c) {
    return IsLetter(c) || IsDigit(c) || c == '_';
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// The length of a printf conversion that starts with the '%' at `start`; 0
// when none does.
std::size_t PrintfLength(std::string_view text, std::size_t start) {
    std::size_t i = start + 1;
    // An argument position, as in %1$s.
    if (std::size_t digits = SkipDigits(text, i); digits > i && digits < text.size() &&
                                                  text[digits] == '$')
        i = digits + 1;
    // No blank among the flags: "50 % off" is prose, not "% o".
    while (i < text.size() && std::string_view("-+#0").find(text[i]) != std::string_view::npos)
        ++i;
    if (i < text.size() && text[i] == '*')
        ++i;
    else
        i = SkipDigits(text, i);
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i < text.size() && text[i] == '*')
            ++i;
        else
            i = SkipDigits(text, i);
    }
    for (std::string_view length : {"hh", "ll", "h", "l", "L", "z", "j", "t", "q"}) {
        if (text.substr(i, length.size()) == length) {
            i += length.size();
            break;
        }
    }
    if (i < text.size() && std::string_view("diouxXeEfFgGaAcspn").find(text[i]) !=
                               std::string_view::npos)
        return i + 1 - start;
    return 0;
}

// The length of a numbered placeholder (%1 to %99) at `start`; 0 when none.
std::size_t NumberedLength(std::string_view text, std::size_t start) {
    std::size_t i = start + 1;
    if (i >= text.size() || text[i] < '1' || text[i] > '9')
        return 0;
    ++i;
    if (i < text.size() && IsDigit(text[i]))
        ++i;
    return i - start;
}

std::size_t BraceLength(std::string_view text, std::size_t start) {
    std::size_t i = start + 1;
    while (i < text.size() && IsNameCharacter(text[i]))
        ++i;
    if (i == start + 1 || i >= text.size() || text[i] != '}')
        return 0;
    return i + 1 - start;
}

// A tag: '<', an optional '/', a name, then anything but angle brackets up
// to '>'. "a < b" and "<3" are not tags.
std::size_t TagLength(std::string_view text, std::size_t start) {
    std::size_t i = start + 1;
    if (i < text.size() && text[i] == '/')
        ++i;
    if (i >= text.size() || !IsLetter(text[i]))
        return 0;
    while (i < text.size() && (IsNameCharacter(text[i]) || text[i] == '-'))
        ++i;
    if (i < text.size() && text[i] != '>' && text[i] != '/' && text[i] != ' ' && text[i] != '\t')
        return 0;
    while (i < text.size() && text[i] != '>' && text[i] != '<')
        ++i;
    if (i >= text.size() || text[i] != '>')
        return 0;
    return i + 1 - start;
}

void AppendList(std::string& out, const std::vector<std::string_view>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += items[i];
    }
}

} // namespace

std::vector<std::string_view> FindPlaceholders(std::string_view text) {
    std::vector<std::string_view> found;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t length = 0;
        if (text[i] == '%') {
            if (i + 1 < text.size() && text[i + 1] == '%') {
                i += 2;
                continue;
            }
            length = PrintfLength(text, i);
            if (length == 0)
                length = NumberedLength(text, i);
        } else if (text[i] == '{') {
            length = BraceLength(text, i);
        } else if (text[i] == '<') {
            length = TagLength(text, i);
        }
        if (length > 0) {
            found.push_back(text.substr(i, length));
            i += length;
        } else {
            ++i;
        }
    }
    return found;
}

std::string PlaceholderDifference(std::string_view reference, std::string_view translation) {
    std::vector<std::string_view> wanted = FindPlaceholders(reference);
    std::vector<std::string_view> given = FindPlaceholders(translation);
    std::sort(wanted.begin(), wanted.end());
    std::sort(given.begin(), given.end());
    std::vector<std::string_view> missing;
    std::vector<std::string_view> extra;
    std::set_difference(wanted.begin(), wanted.end(), given.begin(), given.end(),
                        std::back_inserter(missing));
    std::set_difference(given.begin(), given.end(), wanted.begin(), wanted.end(),
                        std::back_inserter(extra));
    std::string detail;
    if (!missing.empty()) {
        detail = "missing ";
        AppendList(detail, missing);
    }
    if (!extra.empty()) {
        if (!detail.empty())
            detail += "; ";
        detail += "extra ";
        AppendList(detail, extra);
    }
    return detail;
}

} // namespace check
