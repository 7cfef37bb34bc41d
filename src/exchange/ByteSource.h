#pragma once

// A file read in pieces, with its first bytes looked at before a reader is
// chosen and then given to that reader like the rest. Reads the file as it is:
// no decompression, no name resolution beyond the path.

#include <cstddef>
#include <string>

namespace exchange {

class ByteSource {
public:
    ByteSource() = default;
    ~ByteSource();
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    // False with the reason when the file cannot be opened.
    bool Open(const std::string& path, std::string& reason);
    // Bytes in memory instead of a file (for fuzzing and tests).
    void Take(std::string bytes) { m_peeked = std::move(bytes); }
    // The first bytes (up to `size`), without using them up.
    const std::string& Peek(std::size_t size);
    // Up to `size` bytes; 0 at the end, -1 on an error (see Error()).
    long Read(char* buffer, std::size_t size);
    const std::string& Error() const { return m_error; }

private:
    long ReadFile(char* buffer, std::size_t size);

    static constexpr std::size_t kChunk = 1 << 16;

    int m_fd = -1;
    std::string m_peeked;
    std::size_t m_peekedUsed = 0;
    std::string m_error;
};

} // namespace exchange
