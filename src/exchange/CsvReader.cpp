#include "exchange/CsvReader.h"

#include "exchange/TextForms.h"

#include <vector>

namespace exchange {

namespace {

class CsvParse {
public:
    CsvParse(ByteSource& input, const UnitSink& sink, ReadError& error)
        : m_input(input), m_sink(sink), m_error(error) {}

    bool Run();

private:
    bool Fail(std::string message) {
        m_error.line = m_line;
        m_error.column = m_column;
        m_error.message = std::move(message);
        return false;
    }
    bool EndRecord();
    bool Header();

    ByteSource& m_input;
    const UnitSink& m_sink;
    ReadError& m_error;
    std::uint64_t m_line = 1;
    std::uint64_t m_column = 0;
    std::uint64_t m_recordLine = 1;
    std::vector<std::string> m_fields{1};
    bool m_headerRead = false;
    std::size_t m_columns = 0;
    std::size_t m_identifier = 0;
    std::size_t m_source = 0;
    std::size_t m_target = 0;
};

bool CsvParse::Header() {
    std::string& first = m_fields.front();
    if (first.rfind("\xEF\xBB\xBF", 0) == 0)
        first.erase(0, 3);
    auto find = [&](const char* name, std::size_t& index) {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i] == name) {
                index = i;
                return true;
            }
        }
        return false;
    };
    for (const char* name : {"identifier", "source", "target"}) {
        std::size_t ignored = 0;
        if (!find(name, ignored)) {
            m_line = m_recordLine;
            m_column = 1;
            return Fail(std::string("the first line names no \"") + name +
                        "\" column: not our CSV form (identifier,...,source,target)");
        }
    }
    find("identifier", m_identifier);
    find("source", m_source);
    find("target", m_target);
    m_columns = m_fields.size();
    m_headerRead = true;
    return true;
}

bool CsvParse::EndRecord() {
    const bool blank = m_fields.size() == 1 && m_fields.front().empty();
    if (!m_headerRead) {
        if (!Header())
            return false;
    } else if (!blank) {
        if (m_fields.size() != m_columns) {
            m_line = m_recordLine;
            m_column = 1;
            return Fail("the record has " + std::to_string(m_fields.size()) +
                        " fields, the header " + std::to_string(m_columns));
        }
        // A text of a .trs file holds UTF-8 and no zero byte (a zero byte
        // would cut it when the file is read again).
        for (std::size_t column : {m_identifier, m_source, m_target}) {
            const std::string& field = m_fields[column];
            if (field.find('\0') != std::string::npos || !IsUtf8(field)) {
                m_line = m_recordLine;
                m_column = 1;
                return Fail("the record holds a zero byte or bytes that are not UTF-8 (save "
                            "the file as UTF-8)");
            }
        }
        TranslatedUnit unit;
        unit.id = std::move(m_fields[m_identifier]);
        unit.source = std::move(m_fields[m_source]);
        unit.target = std::move(m_fields[m_target]);
        unit.done = !unit.target.empty();
        unit.line = m_recordLine;
        m_sink(unit);
    }
    m_fields.assign(1, std::string());
    return true;
}

bool CsvParse::Run() {
    // AfterCr: a record ended in CR; an LF right after it belongs to it.
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted, AfterCr };
    State state = State::FieldStart;
    bool recordStarts = true;
    char buffer[1 << 16];
    bool any = false;
    for (;;) {
        const long got = m_input.Read(buffer, sizeof buffer);
        if (got < 0)
            return Fail(m_input.Error());
        if (got == 0)
            break;
        any = true;
        for (long i = 0; i < got; ++i) {
            const char c = buffer[i];
            // Lines are counted by LF, columns in bytes from 1.
            ++m_column;
            if (state == State::AfterCr) {
                state = State::FieldStart;
                if (c == '\n') {
                    ++m_line;
                    m_column = 0;
                    continue;
                }
            }
            if (recordStarts) {
                m_recordLine = m_line;
                recordStarts = false;
            }
            std::string& field = m_fields.back();
            if (field.size() >= kMaxUnitText)
                return Fail("a field is longer than 10 MB");
            bool endRecord = false;
            // A comma or a line break outside quotes ends the field; false for any other byte.
            const auto endsField = [&] {
                if (c == ',') {
                    m_fields.emplace_back();
                    state = State::FieldStart;
                    return true;
                }
                endRecord = c == '\r' || c == '\n';
                return endRecord;
            };
            switch (state) {
            case State::FieldStart:
            case State::Unquoted:
                if (c == '"') {
                    if (state == State::Unquoted)
                        return Fail("a quote inside a field that does not start with one");
                    state = State::Quoted;
                } else if (!endsField()) {
                    field += c;
                    state = State::Unquoted;
                }
                break;
            case State::Quoted:
                if (c == '"')
                    state = State::QuoteInQuoted;
                else
                    field += c;
                break;
            case State::QuoteInQuoted:
                if (c == '"') {
                    field += '"';
                    state = State::Quoted;
                } else if (!endsField()) {
                    return Fail("a quoted field goes on after its closing quote");
                }
                break;
            case State::AfterCr:
                break;
            }
            if (endRecord) {
                if (!EndRecord())
                    return false;
                recordStarts = true;
                state = c == '\r' ? State::AfterCr : State::FieldStart;
            }
            if (c == '\n') {
                ++m_line;
                m_column = 0;
            }
        }
    }
    if (state == State::Quoted)
        return Fail("the file ends inside the quoted field of the record on line " +
                    std::to_string(m_recordLine));
    if (!any)
        return Fail("the file is empty");
    if (!recordStarts)
        return EndRecord();
    return true;
}

} // namespace

bool ReadCsv(ByteSource& input, const UnitSink& sink, ReadError& error) {
    CsvParse parse(input, sink, error);
    return parse.Run();
}

} // namespace exchange
