// The plain-text export, written entry by entry through one reusable buffer.
#include "model/TextExport.h"

#include "model/TextResourceEntry.h"
#include "model/TextResourceObject.h"

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

bool WriteTextExport(const TextResourceObject& entries, std::FILE* file) {
    TextExportWriter writer([file](const char* data, std::size_t size) {
        return std::fwrite(data, 1, size, file) == size;
    });
    const std::uint32_t count = entries.GetEntryCount();
    for (std::uint32_t p = 0; p < count; ++p) {
        if (!writer.Add(*entries.GetEntry(p)))
            return false;
    }
    return writer.Finish();
}

bool ExportTextToFile(const TextResourceObject& entries, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb"); // owned: closed below
    if (file == nullptr)
        return false;
    const bool written = WriteTextExport(entries, file);
    const bool closed = std::fclose(file) == 0;
    // A file cut short (a full disk) would pass for the whole script: it goes.
    if (!written || !closed) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}
