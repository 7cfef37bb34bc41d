#include "model/TextResourceEntry.h"
#include "model/TextResourceObject.h"
#include "model/XmlText.h"
#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <cstring>
#include <string>

namespace {

constexpr const char* kModule = "COMMONCODE_R\\TextResourceObject\\TextResourceObject.cpp";
// The trace lines that callers rely on, kept on purpose whatever line the code is on.
constexpr int kLineEntryXml = 82;
constexpr int kLineObjectXml = 145;

constexpr const char* kHeader = "<?xml version='1.0' encoding='Windows-1252'?>\n<textresources>\n";
constexpr const char* kFooter = "</textresources>\n";

std::int32_t WriteText(tsOutputStream& stream, const char* text) {
    return stream.Write(text, static_cast<std::uint32_t>(std::strlen(text)));
}

} // namespace

std::int32_t TextResourceEntry::WriteXml(tsOutputStream& stream) {
    std::string content = EscapeXmlText(text);
    std::int32_t result = WriteText(stream, "\t<textresource>\n");
    if (tsSucceeded(result))
        result = WriteText(stream, "\t\t");
    if (tsSucceeded(result))
        result = stream.Write(content.data(), static_cast<std::uint32_t>(content.size()));
    if (tsSucceeded(result))
        result = WriteText(stream, "\n\t</textresource>\n");
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineEntryXml, result);
    return result;
}

std::int32_t TextResourceObject::WriteXml(tsOutputStream& stream) {
    std::int32_t result = WriteText(stream, kHeader);
    if (tsSucceeded(result)) {
        for (TextResourceEntry& entry : m_entries)
            entry.WriteXml(stream);
        result = WriteText(stream, kFooter);
    }
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineObjectXml, result);
    return result;
}
