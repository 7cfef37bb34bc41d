#pragma once

// A stream over bytes in memory, for tests, the fuzzing and tools: reads come
// from the bytes given at construction, writes are appended to them. Its
// results match the file stream's (E_FAIL on a short read or write).

#include "support/tsStream.h"

#include <cstddef>
#include <string>
#include <string_view>

class tsMemoryStream : public tsInputStream, public tsOutputStream {
public:
    tsMemoryStream() = default;
    explicit tsMemoryStream(std::string_view bytes) : m_data(bytes) {}

    std::int32_t Read(void* buffer, std::uint32_t size,
                      std::uint32_t* bytesRead = nullptr) override;
    std::int32_t Skip(std::int32_t distance, std::uint32_t reserved = 0) override;
    std::int32_t Write(const void* buffer, std::uint32_t size) override;

    const std::string& Data() const { return m_data; }
    std::size_t Position() const { return m_position; }
    // Room for this many bytes, so that writes up to it do not move the data.
    void Reserve(std::size_t size) { m_data.reserve(size); }
    // Writes beyond this total size fail part-way, as on a full disk.
    void SetCapacity(std::size_t capacity) { m_capacity = capacity; }

private:
    std::string m_data;
    std::size_t m_position = 0;
    std::size_t m_capacity = static_cast<std::size_t>(-1);
};
