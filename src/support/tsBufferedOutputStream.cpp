#include "support/tsBufferedOutputStream.h"

#include "support/tsResult.h"

#include <cstring>

tsBufferedOutputStream::tsBufferedOutputStream(tsOutputStream& target, std::size_t capacity)
    : m_target(target), m_buffer(capacity > 0 ? capacity : 1) {}

std::int32_t tsBufferedOutputStream::Write(const void* buffer, std::uint32_t size) {
    if (tsFailed(m_result))
        return m_result;
    if (m_used + size > m_buffer.size()) {
        if (tsFailed(Flush()))
            return m_result;
        if (size >= m_buffer.size()) {
            std::int32_t result = m_target.Write(buffer, size);
            if (tsFailed(result))
                m_result = result;
            return m_result;
        }
    }
    std::memcpy(m_buffer.data() + m_used, buffer, size);
    m_used += size;
    return S_OK;
}

std::int32_t tsBufferedOutputStream::Flush() {
    if (tsFailed(m_result))
        return m_result;
    if (m_used > 0) {
        std::int32_t result = m_target.Write(m_buffer.data(), static_cast<std::uint32_t>(m_used));
        m_used = 0;
        if (tsFailed(result))
            m_result = result;
    }
    return m_result;
}
