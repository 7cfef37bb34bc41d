#include "exchange/XmlOutput.h"

#include "support/tsResult.h"

#include <algorithm>
#include <libxml/xmlwriter.h>
#include <string>

namespace exchange {

namespace {

const xmlChar* X(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

} // namespace

XmlOutput::XmlOutput(tsOutputStream& out) : m_out(out) {
    xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(&XmlOutput::WriteCallback, nullptr, this,
                                                        nullptr);
    if (buffer != nullptr)
        m_writer = xmlNewTextWriter(buffer); // owns the buffer from here on
    if (m_writer == nullptr)
        m_result = E_OUTOFMEMORY;
}

XmlOutput::~XmlOutput() {
    // Whatever is left unwritten stays so: the stream may be gone already.
    if (m_writer != nullptr) {
        m_result = E_ABORT;
        xmlFreeTextWriter(m_writer);
    }
}

int XmlOutput::WriteCallback(void* context, const char* buffer, int length) {
    auto* self = static_cast<XmlOutput*>(context);
    if (tsFailed(self->m_result))
        return -1;
    const std::int32_t result = self->m_out.Write(buffer, static_cast<std::uint32_t>(length));
    if (tsFailed(result)) {
        self->m_result = result;
        return -1;
    }
    return length;
}

void XmlOutput::Check(int written) {
    if (written < 0 && tsSucceeded(m_result))
        m_result = E_FAIL;
}

void XmlOutput::StartDocument() {
    // Written as it is: the writer's own declaration would route every byte
    // through an encoder from UTF-8 to UTF-8.
    if (tsSucceeded(m_result))
        Check(xmlTextWriterWriteRaw(m_writer, X("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")));
}

void XmlOutput::Start(const char* name) {
    if (tsSucceeded(m_result))
        Check(xmlTextWriterStartElement(m_writer, X(name)));
}

void XmlOutput::Attribute(const char* name, std::string_view value) {
    if (tsSucceeded(m_result))
        Check(xmlTextWriterWriteAttribute(m_writer, X(name), X(std::string(value).c_str())));
}

void XmlOutput::Text(std::string_view text) {
    if (tsSucceeded(m_result) && !text.empty())
        Check(xmlTextWriterWriteString(m_writer, X(std::string(text).c_str())));
}

void XmlOutput::End() {
    if (tsSucceeded(m_result))
        Check(xmlTextWriterEndElement(m_writer));
}

void XmlOutput::TextElement(const char* name, std::string_view text) {
    Start(name);
    Text(text);
    End();
}

void XmlOutput::Indent(int depth) {
    static const std::string kSpaces(64, ' ');
    if (tsSucceeded(m_result)) {
        Check(xmlTextWriterWriteRaw(m_writer, X("\n")));
        Check(xmlTextWriterWriteRawLen(m_writer, X(kSpaces.c_str()), std::min(depth * 2, 64)));
    }
}

std::int32_t XmlOutput::Finish() {
    if (tsSucceeded(m_result)) {
        Check(xmlTextWriterWriteRaw(m_writer, X("\n")));
        Check(xmlTextWriterFlush(m_writer));
    }
    if (tsSucceeded(m_result)) {
        xmlFreeTextWriter(m_writer);
        m_writer = nullptr;
    }
    return m_result;
}

} // namespace exchange
