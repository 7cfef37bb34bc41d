#include "exchange/XliffReader.h"

#include "exchange/XliffWriter.h"
#include "platform/Utf8Append.h"

#include <cstdlib>
#include <cstring>
#include <libxml/parser.h>
#include <libxml/xmlreader.h>
#include <string_view>

namespace exchange {

namespace {

std::string_view View(const xmlChar* text) {
    return text == nullptr ? std::string_view()
                           : std::string_view(reinterpret_cast<const char*>(text));
}

// Refuses every external entity, DTD and included file.
xmlParserInputPtr RefuseExternal(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

int ReadCallback(void* context, char* buffer, int length) {
    return static_cast<int>(static_cast<ByteSource*>(context)->Read(buffer, length));
}

int CloseCallback(void*) {
    return 0;
}

bool IsDoneState12(std::string_view state) {
    return state == "translated" || state == "signed-off" || state == "final";
}

bool IsDoneState20(std::string_view state) {
    return state == "translated" || state == "reviewed" || state == "final";
}

class XliffParse {
public:
    XliffParse(ByteSource& input, const UnitSink& sink, TranslatedFormat& format,
               ReadError& error)
        : m_input(input), m_sink(sink), m_format(format), m_error(error) {}

    bool Run();

private:
    static void OnError(void* context, xmlErrorPtr error);
    bool Fail(const std::string& message);
    bool Element();
    bool EndElement();
    bool Text(std::string_view text);
    bool Root();
    std::string Attribute(const char* name);
    bool InXliff() const;

    ByteSource& m_input;
    const UnitSink& m_sink;
    TranslatedFormat& m_format;
    ReadError& m_error;
    xmlTextReaderPtr m_reader = nullptr;
    bool m_failed = false;
    bool m_rootSeen = false;
    std::string_view m_namespace;

    // The unit being read.
    int m_unitDepth = -1;
    TranslatedUnit m_unit;
    bool m_hasState = false;
    bool m_segmentsDone = true;
    int m_segments = 0;
    int m_segmentDepth = -1; // 2.0: the segment or ignorable being read
    std::string* m_capture = nullptr; // the source or target being read
    int m_captureDepth = -1;
};

void XliffParse::OnError(void* context, xmlErrorPtr error) {
    auto* self = static_cast<XliffParse*>(context);
    if (error == nullptr || error->level < XML_ERR_ERROR || self->m_failed)
        return;
    self->m_failed = true;
    self->m_error.line = error->line > 0 ? static_cast<std::uint64_t>(error->line) : 0;
    self->m_error.column = error->int2 > 0 ? static_cast<std::uint64_t>(error->int2) : 0;
    std::string message = error->message != nullptr ? error->message : "not well-formed XML";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    self->m_error.message = message;
}

bool XliffParse::Fail(const std::string& message) {
    if (!m_failed) {
        m_failed = true;
        m_error.line = static_cast<std::uint64_t>(std::max(0, xmlTextReaderGetParserLineNumber(m_reader)));
        m_error.column =
            static_cast<std::uint64_t>(std::max(0, xmlTextReaderGetParserColumnNumber(m_reader)));
        m_error.message = message;
    }
    return false;
}

std::string XliffParse::Attribute(const char* name) {
    xmlChar* value = xmlTextReaderGetAttribute(m_reader, reinterpret_cast<const xmlChar*>(name));
    std::string result = value != nullptr ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return result;
}

bool XliffParse::InXliff() const {
    return View(xmlTextReaderConstNamespaceUri(m_reader)) == m_namespace;
}

bool XliffParse::Root() {
    m_rootSeen = true;
    // Entities declared in the internal subset are refused before any is used.
    xmlNodePtr node = xmlTextReaderCurrentNode(m_reader);
    if (node != nullptr && node->doc != nullptr && node->doc->intSubset != nullptr &&
        (node->doc->intSubset->entities != nullptr || node->doc->intSubset->pentities != nullptr))
        return Fail("the DOCTYPE declares entities, which are not accepted");
    const std::string_view name = View(xmlTextReaderConstLocalName(m_reader));
    const std::string_view uri = View(xmlTextReaderConstNamespaceUri(m_reader));
    if (name == "xliff" && uri == kXliff12Namespace) {
        m_format = TranslatedFormat::Xliff12;
    } else if (name == "xliff" && uri == kXliff20Namespace) {
        m_format = TranslatedFormat::Xliff20;
    } else if (name == "xliff" && uri.empty() && Attribute("version").rfind("1.", 0) == 0) {
        m_format = TranslatedFormat::Xliff12; // older tools leave the namespace out
    } else {
        return Fail("the root element is <" + std::string(name) +
                    ">, not the <xliff> of XLIFF 1.2 or 2.0");
    }
    m_namespace = uri;
    return true;
}

bool XliffParse::Element() {
    if (!m_rootSeen)
        return Root();
    const int depth = xmlTextReaderDepth(m_reader);
    const std::string_view name = View(xmlTextReaderConstLocalName(m_reader));
    const bool v2 = m_format == TranslatedFormat::Xliff20;
    if (m_capture != nullptr) {
        if (v2 && name == "cp" && InXliff()) {
            const std::string hex = Attribute("hex");
            char* end = nullptr;
            const unsigned long code = std::strtoul(hex.c_str(), &end, 16);
            if (hex.empty() || *end != '\0' || code == 0 || code > 0x10FFFF ||
                (code >= 0xD800 && code <= 0xDFFF))
                return Fail("<cp hex=\"" + hex + "\"> is not a code point");
            platform::AppendUtf8(*m_capture, static_cast<char32_t>(code));
            return true;
        }
        return Fail("<" + std::string(name) + "> inside a source or target of unit \"" +
                    m_unit.id + "\" is markup this import does not take");
    }
    if (!InXliff())
        return true; // another vocabulary: passed over
    const char* unitName = v2 ? "unit" : "trans-unit";
    if (name == unitName) {
        if (m_unitDepth >= 0)
            return Fail("a unit inside unit \"" + m_unit.id + "\"");
        m_unitDepth = depth;
        m_unit = TranslatedUnit();
        m_unit.id = Attribute("id");
        const long line = xmlGetLineNo(xmlTextReaderCurrentNode(m_reader));
        m_unit.line = line > 0 ? static_cast<std::uint64_t>(line) : 0;
        m_hasState = false;
        m_segmentsDone = true;
        m_segments = 0;
        if (xmlTextReaderIsEmptyElement(m_reader))
            return EndElement();
        return true;
    }
    if (m_unitDepth < 0)
        return true;
    if (v2 && depth == m_unitDepth + 1 && (name == "segment" || name == "ignorable")) {
        m_segmentDepth = depth;
        if (name == "segment") {
            ++m_segments;
            m_segmentsDone = m_segmentsDone && IsDoneState20(Attribute("state"));
        }
        return true;
    }
    const int contentDepth = v2 ? m_segmentDepth + 1 : m_unitDepth + 1;
    if (depth != contentDepth || (v2 && m_segmentDepth < 0))
        return true; // notes, contexts, alternatives: not what is imported
    if (name == "source" || name == "target") {
        std::string* field = name == "source" ? &m_unit.source : &m_unit.target;
        if (!v2 && name == "target") {
            const std::string state = Attribute("state");
            m_hasState = !state.empty();
            m_unit.done = IsDoneState12(state);
        }
        if (xmlTextReaderIsEmptyElement(m_reader))
            return true;
        m_capture = field;
        m_captureDepth = depth;
    }
    return true;
}

bool XliffParse::EndElement() {
    const int depth = xmlTextReaderDepth(m_reader);
    if (m_capture != nullptr && depth == m_captureDepth) {
        m_capture = nullptr;
        return true;
    }
    if (m_segmentDepth >= 0 && depth == m_segmentDepth) {
        m_segmentDepth = -1;
        return true;
    }
    if (m_unitDepth >= 0 && depth == m_unitDepth) {
        if (m_format == TranslatedFormat::Xliff20)
            m_unit.done = m_segments > 0 && m_segmentsDone;
        else if (!m_hasState)
            m_unit.done = !m_unit.target.empty();
        m_unitDepth = -1;
        m_sink(m_unit);
    }
    return true;
}

bool XliffParse::Text(std::string_view text) {
    if (m_capture == nullptr)
        return true;
    if (m_capture->size() + text.size() > kMaxUnitText)
        return Fail("a source or target of unit \"" + m_unit.id + "\" is longer than 10 MB");
    m_capture->append(text);
    return true;
}

bool XliffParse::Run() {
    xmlSetExternalEntityLoader(&RefuseExternal);
    // No XML_PARSE_NOENT (no substitution), no DTDLOAD, DTDATTR or DTDVALID,
    // no XML_PARSE_HUGE (libxml2's size and depth limits stay on).
    m_reader = xmlReaderForIO(&ReadCallback, &CloseCallback, &m_input, nullptr, nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_BIG_LINES);
    if (m_reader == nullptr) {
        m_error.message = "the XML reader could not be made";
        return false;
    }
    xmlTextReaderSetStructuredErrorHandler(m_reader, &XliffParse::OnError, this);
    int status = 0;
    while (!m_failed && (status = xmlTextReaderRead(m_reader)) == 1) {
        switch (xmlTextReaderNodeType(m_reader)) {
        case XML_READER_TYPE_ELEMENT:
            Element();
            break;
        case XML_READER_TYPE_END_ELEMENT:
            EndElement();
            break;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
            Text(View(xmlTextReaderConstValue(m_reader)));
            break;
        case XML_READER_TYPE_ENTITY_REFERENCE:
        case XML_READER_TYPE_ENTITY:
            Fail("an entity reference, which is not accepted");
            break;
        default:
            break;
        }
    }
    if (!m_failed && status < 0)
        Fail(m_input.Error().empty() ? "not well-formed XML" : m_input.Error());
    if (!m_failed && !m_rootSeen)
        Fail("no root element: the file is empty or not XML");
    xmlFreeTextReader(m_reader);
    m_reader = nullptr;
    return !m_failed;
}

} // namespace

bool ReadXliff(ByteSource& input, const UnitSink& sink, TranslatedFormat& format,
               ReadError& error) {
    XliffParse parse(input, sink, format, error);
    return parse.Run();
}

} // namespace exchange
