#include "exchange/CurrentFile.h"

#include "model/TextResourceFormat.h"
#include "model/TextResourceReader.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"
#include "support/tstring.h"

#include <algorithm>
#include <cstring>

namespace exchange {

namespace {

// Reads bytes held elsewhere, knowing where it stands.
class ViewStream : public tsInputStream {
public:
    explicit ViewStream(std::string_view bytes) : m_bytes(bytes) {}

    std::int32_t Read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) override {
        const std::size_t n = std::min<std::size_t>(size, m_bytes.size() - m_position);
        std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        if (bytesRead != nullptr)
            *bytesRead = static_cast<std::uint32_t>(n);
        return n == size ? S_OK : E_FAIL;
    }
    std::int32_t Skip(std::int32_t distance, std::uint32_t) override {
        const std::int64_t target = static_cast<std::int64_t>(m_position) + distance;
        if (target < 0 || static_cast<std::uint64_t>(target) > m_bytes.size())
            return E_FAIL;
        m_position = static_cast<std::size_t>(target);
        return S_OK;
    }
    std::size_t Position() const { return m_position; }

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

// The length prefix the writer puts before `length` bytes.
std::uint32_t PrefixSize(std::size_t length) {
    return length < 255 ? 1 : length < 65534 ? 3 : 7;
}

} // namespace

bool CurrentFile::Take(std::string bytes, std::string& reason) {
    m_bytes = std::move(bytes);
    ViewStream stream(m_bytes);
    TextResourceReadReport report;
    TextResourceReader reader(stream, &report);
    if (tsFailed(reader.ReadHeader())) {
        reason = "it is not a text resource file (its header cannot be read)";
        return false;
    }
    if (report.MagicDiffers()) {
        reason = "its first 16 bytes are not those of a text resource file";
        return false;
    }
    if (report.version != trs::kCurrentVersion) {
        reason = "it is of version " + std::to_string(report.version) + ", not the current " +
                 std::to_string(trs::kCurrentVersion);
        return false;
    }
    const std::uint64_t count = std::min<std::uint64_t>(report.count, m_bytes.size() / 8);
    m_identifiers = check::FirstSeenTexts(count);
    m_texts.reserve(count);
    m_identifierFields.reserve(count);
    TextResourceEntry entry;
    tsMemoryStream again;
    for (;;) {
        const std::size_t start = stream.Position();
        if (!reader.ReadEntry(entry))
            break;
        report.problems.clear();
        if (report.recordsWithData < reader.EntriesRead())
            break; // past the end of the data: told below
        const std::size_t end = stream.Position();
        again = tsMemoryStream();
        entry.Write(again);
        const std::uint32_t position = reader.EntriesRead() - 1;
        if (again.Data() != std::string_view(m_bytes).substr(start, end - start)) {
            reason = "the record at position " + std::to_string(position) +
                     " is not as the writer makes it (damaged, or a field cut by a zero byte "
                     "or with a length prefix of another form)";
            return false;
        }
        Field identifier;
        identifier.offset = start + 4;
        identifier.prefix = PrefixSize(entry.identifier.size());
        identifier.length = static_cast<std::uint32_t>(entry.identifier.size());
        Field text;
        text.offset = identifier.offset + identifier.prefix + identifier.length +
                      PrefixSize(entry.audioFile.size()) + entry.audioFile.size();
        text.prefix = PrefixSize(entry.text.size());
        text.length = static_cast<std::uint32_t>(entry.text.size());
        m_identifierFields.push_back(identifier);
        m_texts.push_back(text);
        const std::uint32_t first = m_identifiers.Remember(entry.identifier, position);
        if (first != position)
            m_duplicates.emplace_back(position, first);
    }
    reader.Finish();
    if (!report.LoadedWhole()) {
        if (report.recordsWithData < report.count)
            reason = "the count promises " + std::to_string(report.count) +
                     " entries, the data hold " + std::to_string(report.recordsWithData);
        else if (report.trailingBytes > 0)
            reason = std::to_string(report.trailingBytes) + " bytes follow the last record";
        else
            reason = "it did not load whole";
        return false;
    }
    return true;
}

std::string_view CurrentFile::Identifier(std::uint32_t position) const {
    const Field& field = m_identifierFields[position];
    return std::string_view(m_bytes).substr(field.offset + field.prefix, field.length);
}

std::string_view CurrentFile::Text(std::uint32_t position) const {
    const Field& field = m_texts[position];
    return std::string_view(m_bytes).substr(field.offset + field.prefix, field.length);
}

std::int32_t CurrentFile::Write(
    tsOutputStream& out, const std::vector<std::pair<std::uint32_t, std::string>>& changes) const {
    // Pieces of at most 1 GiB, as the stream's sizes are 32-bit.
    auto copy = [&](std::uint64_t from, std::uint64_t to) {
        std::int32_t result = S_OK;
        while (from < to && tsSucceeded(result)) {
            const std::uint64_t piece = std::min<std::uint64_t>(to - from, 1u << 30);
            result = out.Write(m_bytes.data() + from, static_cast<std::uint32_t>(piece));
            from += piece;
        }
        return result;
    };
    std::uint64_t cursor = 0;
    std::int32_t result = S_OK;
    for (const auto& [position, text] : changes) {
        const Field& field = m_texts[position];
        result = copy(cursor, field.offset);
        if (tsSucceeded(result))
            result = WriteString(text, out);
        if (tsFailed(result))
            return result;
        cursor = field.offset + field.prefix + field.length;
    }
    return copy(cursor, m_bytes.size());
}

} // namespace exchange
