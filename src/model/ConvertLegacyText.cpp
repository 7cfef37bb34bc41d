#include "model/ConvertLegacyText.h"

#include "platform/Win32CodePage.h"

#include <new>

using namespace platform;

void ConvertLegacyText(std::string& destination, const std::string& source) {
    if (source.empty()) {
        destination.clear();
        return;
    }
    try {
        if (source.size() > 0x7FFFFFFF)
            throw std::bad_alloc();
        int length = static_cast<int>(source.size());
        int units = MultiByteToWideChar(CP_ACP, 0, source.data(), length, nullptr, 0);
        std::u16string wide(static_cast<std::size_t>(units), u'\0');
        if (units == 0 ||
            MultiByteToWideChar(CP_ACP, 0, source.data(), length, wide.data(), units) == 0) {
            destination = source;
            return;
        }
        // Up to the first zero unit, as the stored text would be cut there.
        std::size_t zero = wide.find(u'\0');
        int used = zero == std::u16string::npos ? units : static_cast<int>(zero);
        if (used == 0) {
            destination.clear();
            return;
        }
        int bytes =
            WideCharToMultiByte(CP_UTF8, 0, wide.data(), used, nullptr, 0, nullptr, nullptr);
        std::string converted(static_cast<std::size_t>(bytes), '\0');
        if (bytes == 0 || WideCharToMultiByte(CP_UTF8, 0, wide.data(), used, converted.data(),
                                              bytes, nullptr, nullptr) == 0) {
            destination = source;
            return;
        }
        destination = std::move(converted);
    } catch (const std::bad_alloc&) {
        destination = source;
    }
}
