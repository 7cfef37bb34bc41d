// The plain-text export, written entry by entry through one reusable buffer.
#include "TextExport.h"

#include "model/TextResourceObject.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace {

// Blocks are collected up to this size and then handed to the file at once.
constexpr std::size_t kFlushSize = 256 * 1024;

bool Flush(std::string& buffer, std::FILE* file) {
    const bool ok =
        buffer.empty() || std::fwrite(buffer.data(), 1, buffer.size(), file) == buffer.size();
    buffer.clear();
    return ok;
}

} // namespace

bool HasAudioFile(const TextResourceEntry& entry) {
    return !entry.audioFile.empty() && std::string_view(entry.audioFile) != "leer";
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

bool WriteTextExport(const TextResourceObject& entries, std::FILE* file) {
    std::string buffer;
    buffer.reserve(kFlushSize + 4096);
    const std::uint32_t count = entries.GetEntryCount();
    for (std::uint32_t p = 0; p < count; ++p) {
        const TextResourceEntry* entry = entries.GetEntry(p); // not owned
        if (entry == nullptr || !HasAudioFile(*entry))
            continue;
        AppendExportBlock(buffer, *entry);
        // After a failed write (a full disk) the rest would fail as well.
        if (buffer.size() >= kFlushSize && !Flush(buffer, file))
            return false;
    }
    return Flush(buffer, file);
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
