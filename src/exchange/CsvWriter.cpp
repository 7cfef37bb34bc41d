// CSV as RFC 4180 has it: UTF-8, CR LF after each record, a field quoted when
// it holds a comma, a quote or a line break, its quotes doubled. Texts keep
// their line breaks inside the quotes.

#include "exchange/CsvWriter.h"

#include "check/OutputText.h"
#include "support/tsResult.h"

#include <string>

namespace exchange {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

class CsvWriter : public UnitWriter {
public:
    CsvWriter(const ExportHeader& header, tsOutputStream& out) : m_header(header), m_out(out) {}

    std::int32_t Begin() override {
        if (m_header.byteOrderMark)
            m_buffer += "\xEF\xBB\xBF";
        m_buffer += kCsvHeader;
        m_buffer += "\r\n";
        return S_OK;
    }

    std::int32_t Write(const ExportUnit& unit) override {
        const TextResourceEntry& entry = *unit.entry;
        check::AppendCsvField(m_buffer, entry.identifier);
        m_buffer += ',';
        m_buffer += std::to_string(entry.id);
        m_buffer += ',';
        check::AppendCsvField(m_buffer, entry.speaker);
        m_buffer += ',';
        check::AppendCsvField(m_buffer, ShownValue(entry.comment));
        m_buffer += ',';
        check::AppendCsvField(m_buffer, ShownValue(entry.audioFile));
        m_buffer += ',';
        m_buffer += std::to_string(entry.lengthMs);
        m_buffer += ',';
        check::AppendCsvField(m_buffer, unit.source);
        m_buffer += ',';
        check::AppendCsvField(m_buffer, unit.target);
        m_buffer += "\r\n";
        return m_buffer.size() >= kFlushSize ? Flush() : S_OK;
    }

    std::int32_t End() override { return Flush(); }

private:
    std::int32_t Flush() {
        std::int32_t result = S_OK;
        if (!m_buffer.empty())
            result = m_out.Write(m_buffer.data(), static_cast<std::uint32_t>(m_buffer.size()));
        m_buffer.clear();
        return result;
    }

    ExportHeader m_header;
    tsOutputStream& m_out; // not owned
    std::string m_buffer;
};

} // namespace

std::unique_ptr<UnitWriter> MakeCsvWriter(const ExportHeader& header, tsOutputStream& out) {
    return std::make_unique<CsvWriter>(header, out);
}

} // namespace exchange
