#include "support/tsMemoryStream.h"

#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <cstring>

namespace {
constexpr const char* kModule = "commonCode\\AbstractData\\streams\\tsMemoryStream.cpp";
}

std::int32_t tsMemoryStream::Read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) {
    std::size_t left = m_data.size() - m_position;
    std::size_t take = size < left ? size : left;
    if (take > 0)
        std::memcpy(buffer, m_data.data() + m_position, take);
    m_position += take;
    if (bytesRead != nullptr)
        *bytesRead = static_cast<std::uint32_t>(take);
    if (take != size) {
        ASSERT_HRESULT(kModule, __LINE__, E_FAIL);
        return E_FAIL;
    }
    return S_OK;
}

std::int32_t tsMemoryStream::Skip(std::int32_t distance, std::uint32_t reserved) {
    std::int64_t target = static_cast<std::int64_t>(m_position) + distance;
    std::int32_t result = S_OK;
    if (target < 0)
        result = tsResultFromError(131); // a negative seek
    else
        m_position = static_cast<std::size_t>(target) < m_data.size()
                         ? static_cast<std::size_t>(target)
                         : m_data.size();
    if (reserved != 0)
        result = E_NOTIMPL;
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, __LINE__, result);
    return result;
}

std::int32_t tsMemoryStream::Write(const void* buffer, std::uint32_t size) {
    std::size_t room = m_capacity > m_data.size() ? m_capacity - m_data.size() : 0;
    std::size_t take = size < room ? size : room;
    m_data.append(static_cast<const char*>(buffer), take);
    if (take != size) {
        ASSERT_HRESULT(kModule, __LINE__, E_FAIL);
        return E_FAIL;
    }
    return S_OK;
}
