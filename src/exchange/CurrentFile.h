#pragma once

// The file an import changes, held as its bytes: it must be a current, whole
// file that the writer gives back byte for byte, so that the output can be
// the same bytes with only some texts replaced. Each record is read with the
// model's reader and written again with its writer; any difference (an older
// version, damage, a foreign magic, a length prefix of another form) refuses
// the file.

#include "check/FirstSeen.h"
#include "support/tsStream.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace exchange {

class CurrentFile {
public:
    CurrentFile() : m_identifiers(1024) {}

    // Takes the file's bytes. False with the reason when they are not a
    // current, whole file as the writer makes it.
    bool Take(std::string bytes, std::string& reason);

    std::uint32_t Count() const { return static_cast<std::uint32_t>(m_texts.size()); }
    std::string_view Identifier(std::uint32_t position) const;
    std::string_view Text(std::uint32_t position) const;
    // The position of the entry with this identifier; none when there is none.
    std::optional<std::uint32_t> Find(std::string_view identifier) const {
        return m_identifiers.Find(identifier);
    }
    // Identifiers that more than one entry has: (position, first position).
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& Duplicates() const {
        return m_duplicates;
    }

    // Writes the file with the given texts in place of the entries' own;
    // `changes` are in ascending order of position. Every other byte is the
    // file's own.
    std::int32_t Write(tsOutputStream& out,
                       const std::vector<std::pair<std::uint32_t, std::string>>& changes) const;

private:
    struct Field {
        std::uint64_t offset = 0; // where the field (its length prefix) starts
        std::uint32_t prefix = 0; // the prefix's bytes
        std::uint32_t length = 0; // the content's
    };

    std::string m_bytes;
    std::vector<Field> m_identifierFields;
    std::vector<Field> m_texts;
    check::FirstSeenTexts m_identifiers;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_duplicates;
};

} // namespace exchange
