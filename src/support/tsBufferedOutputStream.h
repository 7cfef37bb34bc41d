#pragma once

// Collects small writes and hands them to another stream in large blocks, so
// that saving a file does not make a system call per field. The first failure
// of the stream below is kept: every later Write and Flush returns it.
// Nothing is written on destruction: call Flush and check its result.

#include "support/tsStream.h"

#include <cstddef>
#include <vector>

class tsBufferedOutputStream : public tsOutputStream {
public:
    explicit tsBufferedOutputStream(tsOutputStream& target, // not owned
                                    std::size_t capacity = 256 * 1024);

    std::int32_t Write(const void* buffer, std::uint32_t size) override;
    std::int32_t Flush();
    // The first failure so far, or 0.
    std::int32_t Result() const { return m_result; }

private:
    tsOutputStream& m_target;
    std::vector<unsigned char> m_buffer;
    std::size_t m_used = 0;
    std::int32_t m_result = 0;
};
