#include "model/TextResourceReader.h"

#include "model/ConvertLegacyText.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <cstring>

namespace {

constexpr const char* kModule = "COMMONCODE_R\\TextResourceObject\\TextResourceObject.cpp";
// The trace line that callers rely on, kept on purpose whatever line the code is on.
constexpr int kLineRead = 363;

// A damaged count may promise far more records than the file holds. Records
// past the end of the data are appended with their defaults, as a short file
// expects, but only this many: an absurd count must not fill memory with them.
constexpr std::uint32_t kMaxEntriesPastEnd = 256;

// The values of a new entry, which every record starts from.
const TextResourceEntry& Defaults() {
    static const TextResourceEntry defaults;
    return defaults;
}

// A copy assignment assigns field by field, which keeps the strings' storage
// for the next record.
void ResetToDefaults(TextResourceEntry& entry) {
    entry = Defaults();
}

} // namespace

bool TextResourceReadReport::MagicDiffers() const {
    return magicBytes != sizeof trs::kMagic || std::memcmp(magic, trs::kMagic, sizeof magic) != 0;
}

std::int32_t TextResourceReader::CountingStream::Read(void* buffer, std::uint32_t size,
                                                      std::uint32_t* bytesRead) {
    std::uint32_t got = 0;
    std::int32_t result = m_inner.Read(buffer, size, &got);
    count += got;
    if (got < size)
        shortRead = endMet = true;
    if (bytesRead != nullptr)
        *bytesRead = got;
    return result;
}

TextResourceReader::TextResourceReader(tsInputStream& stream, TextResourceReadReport* report)
    : m_stream(stream), m_report(report) {}

std::int32_t TextResourceReader::ReadHeader() {
    // A foreign magic is passed over: the rest is read all the same.
    unsigned char magic[16] = {};
    std::uint32_t magicBytes = 0;
    m_stream.Read(magic, sizeof magic, &magicBytes);

    m_version = 0;
    std::int32_t versionResult = trs::ReadUInt32(m_stream, m_version);

    std::int32_t result = trs::ReadUInt32(m_stream, m_count);
    if (m_report != nullptr) {
        std::memcpy(m_report->magic, magic, sizeof magic);
        m_report->magicBytes = magicBytes;
        m_report->version = m_version;
        m_report->headerFailed = tsFailed(versionResult) || tsFailed(result);
        m_report->count = tsSucceeded(result) ? m_count : 0;
        m_report->bytesRead = m_stream.count;
    }
    if (tsFailed(result)) {
        // The count is unknown; nothing is appended.
        ASSERT_HRESULT(kModule, kLineRead, result);
        m_count = 0;
        return result;
    }
    m_headerRead = true;
    return result;
}

void TextResourceReader::ConvertLegacyFields(TextResourceEntry& entry, std::uint32_t version) {
    if (version <= 1) {
        ConvertLegacyText(entry.identifier, entry.identifier);
        ConvertLegacyText(entry.audioFile, entry.audioFile);
        ConvertLegacyText(entry.text, entry.text);
        ConvertLegacyText(entry.comment, entry.comment);
    }
}

void TextResourceReader::ReadRecord(std::string_view bytes, std::uint32_t version,
                                    TextResourceEntry& entry) {
    ResetToDefaults(entry);
    tsMemoryStream stream(bytes);
    entry.Read(stream, version);
    ConvertLegacyFields(entry, version);
}

bool TextResourceReader::ReadEntry(TextResourceEntry& entry) {
    if (!m_headerRead || m_entries == m_count || m_pastEnd > kMaxEntriesPastEnd)
        return false;
    ResetToDefaults(entry);
    const std::uint64_t before = m_stream.count;
    const std::size_t problemsBefore = m_report != nullptr ? m_report->problems.size() : 0;
    const std::uint64_t failuresBefore = m_report != nullptr ? m_report->failedFieldReads : 0;
    if (m_report != nullptr)
        trs::ReadFields(entry, m_stream, m_version, this);
    else
        entry.Read(m_stream, m_version);
    const bool hadData = m_stream.count != before;
    if (!hadData && ++m_pastEnd > kMaxEntriesPastEnd)
        return false;
    ConvertLegacyFields(entry, m_version);
    ++m_entries;
    if (m_report != nullptr) {
        if (hadData) {
            ++m_report->recordsWithData;
        } else {
            // Every field of a record beyond the data fails; the count tells it once.
            m_report->problems.resize(problemsBefore);
            m_report->failedFieldReads = failuresBefore;
        }
        m_report->entries = m_entries;
        m_report->bytesRead = m_stream.count;
    }
    return true;
}

void TextResourceReader::Finish() {
    if (m_report == nullptr || m_stream.endMet)
        return;
    // The reader never needs these bytes; they are counted to tell that the
    // file goes on after its last record.
    unsigned char buffer[64 * 1024];
    std::uint32_t got = sizeof buffer;
    while (got == sizeof buffer) {
        m_stream.Read(buffer, sizeof buffer, &got);
        m_report->trailingBytes += got;
    }
}

void TextResourceReader::BeforeField(trs::Field) {
    m_fieldStart = m_stream.count;
    m_stream.shortRead = false;
}

void TextResourceReader::AfterField(trs::Field field, std::int32_t result,
                                    std::uint32_t storedLength, const std::string* value) {
    TextResourceFieldProblem problem;
    problem.position = m_entries;
    problem.field = field;
    problem.offset = m_fieldStart;
    if (tsFailed(result)) {
        problem.kind = TextResourceFieldProblem::Kind::ReadFailed;
        problem.result = result;
        problem.dataEnded = m_stream.shortRead;
        ++m_report->failedFieldReads;
    } else if (value != nullptr && storedLength > value->size()) {
        problem.kind = TextResourceFieldProblem::Kind::CutAtZero;
        problem.storedLength = storedLength;
        problem.keptLength = static_cast<std::uint32_t>(value->size());
        ++m_report->cutFields;
    } else {
        return;
    }
    m_report->problems.push_back(problem);
}
