// The plain-text export, written entry by entry through one reusable buffer.
#include "model/TextExport.h"

#include "model/TextResourceEntry.h"
#include "model/TextResourceObject.h"
#include "support/tsResult.h"
#include "support/tsSafeSave.h"
#include "support/tsStream.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

namespace {

// Blocks are collected up to this size and then handed on at once.
constexpr std::size_t kFlushSize = 256 * 1024;

} // namespace

bool HasAudioFile(const TextResourceEntry& entry) {
    return !entry.audioFile.empty() && entry.audioFile != kEmptyPlaceholder;
}

void AppendExportBlock(std::string& out, const TextResourceEntry& entry) {
    // The id is printed as a signed number: 4294967291 reads -5.
    char id[12];
    const auto idEnd = std::to_chars(id, id + sizeof id, static_cast<std::int32_t>(entry.id)).ptr;

    out += "*** ";
    out += entry.identifier;
    out += " (ID: ";
    out.append(id, idEnd);
    out += ") ***\n*** AUDIO FILENAME: ";
    out += entry.audioFile;
    out += " ***\n*** SPEAKER: ";
    out += entry.speaker;
    out += " ***\n*** COMMENT: ";
    out += entry.comment;
    out += " ***\n";
    out += entry.text;
    out += "\n\n";
}

TextExportWriter::TextExportWriter(Sink sink) : m_sink(std::move(sink)) {
    m_buffer.reserve(kFlushSize + 4096);
}

bool TextExportWriter::Add(const TextResourceEntry& entry) {
    if (!m_ok)
        return false;
    if (!HasAudioFile(entry))
        return true;
    AppendExportBlock(m_buffer, entry);
    return m_buffer.size() < kFlushSize || Flush();
}

bool TextExportWriter::Finish() {
    return m_ok && Flush();
}

bool TextExportWriter::Flush() {
    if (!m_buffer.empty() && !m_sink(m_buffer.data(), m_buffer.size()))
        m_ok = false;
    m_buffer.clear();
    return m_ok;
}

std::int32_t WriteTextExport(const TextResourceObject& entries, tsOutputStream& out) {
    std::int32_t result = S_OK;
    TextExportWriter writer([&out, &result](const char* data, std::size_t size) {
        // The stream takes 32-bit sizes; a block may be larger.
        constexpr std::size_t kPiece = std::size_t(1) << 30;
        while (size > 0 && tsSucceeded(result)) {
            const std::size_t piece = std::min(size, kPiece);
            result = out.Write(data, static_cast<std::uint32_t>(piece));
            data += piece;
            size -= piece;
        }
        return tsSucceeded(result);
    });
    const std::uint32_t count = entries.GetEntryCount();
    for (std::uint32_t p = 0; p < count && writer.Add(*entries.GetEntry(p)); ++p) {
    }
    writer.Finish();
    return result;
}

std::int32_t ExportTextToFile(const TextResourceObject& entries, const std::string& path,
                              tsSafeSaveReport* report) {
    return tsSaveFileSafely(
        path.c_str(), [&entries](tsOutputStream& out) { return WriteTextExport(entries, out); }, {},
        report);
}
