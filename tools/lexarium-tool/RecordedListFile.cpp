#include "RecordedListFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

std::string RecordedListPath(const std::string& input, const std::optional<std::string>& named) {
    return named ? *named : check::RecordedListPathFor(input);
}

void TellListProblems(const std::string& path, const check::RecordedList& list) {
    std::string text;
    for (const check::RecordedListProblem& problem : list.problems)
        text += path + ":" + std::to_string(problem.line) + ": " + problem.reason + "\n";
    std::fputs(text.c_str(), stderr);
}

check::ListRead RecordedListReading::Start(const std::string& path, std::string& reason) {
    m_path = path;
    auto bytes = std::make_shared<std::string>();
    const check::ListRead read = check::ReadRecordedListBytes(path, *bytes, reason);
    if (read == check::ListRead::Read)
        m_list = std::async(std::launch::async,
                            [this, bytes]() mutable -> std::shared_ptr<const check::RecordedList> {
                                // The bytes are let go as soon as the lines hold them.
                                const std::string text = std::move(*bytes);
                                bytes.reset();
                                m_parsed = std::make_shared<check::RecordedList>(
                                    check::ParseRecordedList(text));
                                return m_parsed;
                            })
                     .share();
    return read;
}

RecordedListReading::~RecordedListReading() {
    // A copy of the future may outlive this object (in a check's options):
    // the parsing must be done before m_parsed goes.
    if (m_list.valid())
        m_list.wait();
}

const check::RecordedList& RecordedListReading::Tell() {
    const check::RecordedList& list = *m_list.get();
    if (!m_told)
        TellListProblems(m_path, list);
    m_told = true;
    return list;
}

std::vector<check::RecordedLine> RecordedListReading::TakeLines() {
    m_list.wait(); // m_parsed is set before the future is ready
    return std::move(m_parsed->lines);
}

std::string RecordTime() {
    std::time_t now = std::time(nullptr);
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        errno = 0;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (end == epoch || *end != '\0' || errno != 0 || seconds < 0 ||
            seconds > 253402300799LL) { // 9999-12-31T23:59:59Z
            std::fprintf(stderr,
                         "SOURCE_DATE_EPOCH is \"%s\", not a number of seconds since "
                         "1970-01-01 up to the year 9999\n",
                         epoch);
            return {};
        }
        now = static_cast<std::time_t>(seconds);
    }
    return check::FormatUtcTime(now);
}
