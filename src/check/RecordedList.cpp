#include "check/RecordedList.h"

#include "check/RegularFile.h"
#include "check/Sha256.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <unistd.h>
#include <unordered_map>

namespace check {

namespace {

constexpr std::size_t kFields = 7;

// The field with its escapes undone; false when it holds a backslash that
// starts no escape the list writes. Most fields hold none and are taken whole.
bool Unescape(std::string_view field, std::string& value) {
    std::size_t slash = field.find('\\');
    if (slash == std::string_view::npos) {
        value.assign(field);
        return true;
    }
    value.clear();
    value.reserve(field.size());
    for (std::size_t i = 0;;) {
        value.append(field.substr(i, slash - i));
        if (slash == field.size())
            return true;
        if (++slash == field.size())
            return false;
        switch (field[slash]) {
        case 't':
            value += '\t';
            break;
        case 'n':
            value += '\n';
            break;
        case 'r':
            value += '\r';
            break;
        case '\\':
            value += '\\';
            break;
        default:
            return false;
        }
        i = slash + 1;
        slash = std::min(field.find('\\', i), field.size());
    }
}

bool ParseNumber(std::string_view text, std::uint32_t& value) {
    if (text.empty() || (text.size() > 1 && text[0] == '0'))
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool IsHash(std::string_view text) {
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// 2026-12-09T14:03:22Z, a real day and time of day.
bool IsTime(std::string_view text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return false;
    const auto number = [&](std::size_t at, std::size_t digits, int& value) {
        value = 0;
        for (std::size_t i = at; i < at + digits; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int year, month, day, hour, minute, second;
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day) || !number(11, 2, hour) ||
        !number(14, 2, minute) || !number(17, 2, second))
        return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day >= 1 && day <= days && hour <= 23 && minute <= 59 && second <= 60;
}

// One line of the list; empty when it is good, else why not.
std::string ParseLine(std::string_view text, RecordedLine& line) {
    std::string_view fields[kFields];
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        const std::string_view field = text.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (count < kFields)
            fields[count] = field;
        ++count;
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    if (count != kFields)
        return std::to_string(kFields) + " fields expected, " + std::to_string(count) + " found";
    if (!Unescape(fields[0], line.identifier))
        return "the identifier holds a backslash that starts no escape";
    if (!ParseNumber(fields[1], line.id))
        return "the id is not a number";
    if (!Unescape(fields[2], line.audioFile))
        return "the audio file holds a backslash that starts no escape";
    if (!IsHash(fields[3]))
        return "the text sha256 is not 64 lowercase hexadecimal digits";
    line.textSha256 = fields[3];
    if (!ParseNumber(fields[4], line.lengthMs))
        return "the length ms is not a number";
    if (!IsHash(fields[5]))
        return "the audio sha256 is not 64 lowercase hexadecimal digits";
    line.audioSha256 = fields[5];
    if (!IsTime(fields[6]))
        return "the recorded time is not a UTC time as 2026-12-09T14:03:22Z";
    line.recorded = fields[6];
    return {};
}

} // namespace

std::string RecordedListPathFor(const std::string& trsPath) {
    const std::size_t slash = trsPath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string stem = trsPath;
    if (trsPath.size() - nameStart > 4) {
        std::string ending = trsPath.substr(trsPath.size() - 4);
        std::transform(ending.begin(), ending.end(), ending.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
        if (ending == ".trs")
            stem.resize(trsPath.size() - 4);
    }
    return stem + ".recorded.tsv";
}

RecordedList ParseRecordedList(std::string_view bytes) {
    RecordedList list;
    // Every line may be taken: room for all, so that the lines never move and
    // the views below into their identifiers stay good.
    list.lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    // A list as record writes it is sorted: while each identifier comes after
    // the one before, none can be listed before. The first that does not
    // brings in a table of those taken so far, and all after it go into it.
    std::vector<std::uint64_t> numbers; // of the lines taken, while sorted
    std::unordered_map<std::string_view, std::uint64_t> seen; // identifier -> its line
    bool sorted = true;
    std::uint64_t number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view text = bytes.substr(start, end - start);
        start = end + 1;
        ++number;
        // Line ends of a checkout on Windows; a carriage return inside a field is escaped.
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (number == 1) {
            if (text != kRecordedListHeader) {
                list.problems.push_back(
                    {1, "not a recorded list: the first line is not its header"});
                return list;
            }
            continue;
        }
        RecordedLine& line = list.lines.emplace_back();
        std::string reason = ParseLine(text, line);
        if (reason.empty()) {
            const std::string_view identifier = line.identifier;
            if (sorted && (list.lines.size() == 1 ||
                           list.lines[list.lines.size() - 2].identifier < identifier)) {
                numbers.push_back(number);
            } else {
                if (sorted) {
                    sorted = false;
                    seen.reserve(list.lines.capacity());
                    for (std::size_t i = 0; i + 1 < list.lines.size(); ++i)
                        seen.emplace(list.lines[i].identifier, numbers[i]);
                    numbers = {};
                }
                const auto [at, added] = seen.emplace(identifier, number);
                if (!added)
                    reason = "the identifier is listed already on line " + std::to_string(at->second);
            }
        }
        if (!reason.empty()) {
            list.lines.pop_back();
            list.problems.push_back({number, std::move(reason)});
        }
    }
    if (number == 0)
        list.problems.push_back({1, "the list is empty: its header is missing"});
    return list;
}

ListRead ReadRecordedList(const std::string& path, RecordedList& list, std::string& reason) {
    std::string bytes;
    const ListRead read = ReadRecordedListBytes(path, bytes, reason);
    if (read == ListRead::Read)
        list = ParseRecordedList(bytes);
    return read;
}

ListRead ReadRecordedListBytes(const std::string& path, std::string& bytes, std::string& reason) {
    if (::access(path.c_str(), F_OK) != 0 && errno == ENOENT)
        return ListRead::Missing;
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(path, reason, &size);
    if (fd < 0)
        return ListRead::Failed;
    bytes.assign(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = std::strerror(errno);
            ::close(fd);
            return ListRead::Failed;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(done);
    return ListRead::Read;
}

namespace {

// Appends `field` with tabs, line breaks and backslashes escaped.
void AppendEscaped(std::string& text, std::string_view field) {
    for (;;) {
        const std::size_t special = field.find_first_of("\t\n\r\\");
        text.append(field.substr(0, special));
        if (special == std::string_view::npos)
            return;
        switch (field[special]) {
        case '\t':
            text += "\\t";
            break;
        case '\n':
            text += "\\n";
            break;
        case '\r':
            text += "\\r";
            break;
        default:
            text += "\\\\";
        }
        field.remove_prefix(special + 1);
    }
}

void AppendNumber(std::string& text, std::uint32_t value) {
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, end);
}

} // namespace

std::string EscapeField(std::string_view field) {
    std::string escaped;
    escaped.reserve(field.size());
    AppendEscaped(escaped, field);
    return escaped;
}

std::string FormatRecordedList(const std::vector<RecordedLine>& lines) {
    // The lines are put in order through pointers: moving the lines
    // themselves costs more than comparing them. Those of a list read back
    // come in order already.
    std::vector<const RecordedLine*> order;
    order.reserve(lines.size());
    std::size_t size = kRecordedListHeader.size() + 1;
    for (const RecordedLine& line : lines) {
        order.push_back(&line);
        size += line.identifier.size() + line.audioFile.size() + line.textSha256.size() +
                line.audioSha256.size() + line.recorded.size() + 30;
    }
    const auto before = [](const RecordedLine* a, const RecordedLine* b) {
        return a->identifier < b->identifier;
    };
    if (!std::is_sorted(order.begin(), order.end(), before))
        std::sort(order.begin(), order.end(), before);
    std::string text;
    text.reserve(size);
    text += kRecordedListHeader;
    text += '\n';
    for (const RecordedLine* line : order) {
        AppendEscaped(text, line->identifier);
        text += '\t';
        AppendNumber(text, line->id);
        text += '\t';
        AppendEscaped(text, line->audioFile);
        text += '\t';
        text += line->textSha256;
        text += '\t';
        AppendNumber(text, line->lengthMs);
        text += '\t';
        text += line->audioSha256;
        text += '\t';
        text += line->recorded;
        text += '\n';
    }
    return text;
}

std::string TextSha256(const TextResourceEntry& entry) {
    return Sha256Hex(entry.text);
}

std::string FormatUtcTime(std::time_t time) {
    std::tm parts{};
    char text[32] = {};
    if (::gmtime_r(&time, &parts) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts) != 20)
        return {};
    return text;
}

} // namespace check
