#pragma once

// libxml2's text writer over one of our output streams: the XML is written
// as it is made, never held whole. Indentation is written by the callers
// between elements only, never inside a text (libxml2's own indenting would
// put blanks into mixed content).

#include "support/tsStream.h"

#include <cstdint>
#include <string_view>

typedef struct _xmlTextWriter xmlTextWriter;

namespace exchange {

class XmlOutput {
public:
    explicit XmlOutput(tsOutputStream& out); // not owned
    ~XmlOutput();
    XmlOutput(const XmlOutput&) = delete;
    XmlOutput& operator=(const XmlOutput&) = delete;

    void StartDocument();
    void Start(const char* name);
    void Attribute(const char* name, std::string_view value);
    // Text, escaped: & < > and CR as &#13;, so that a parser gives the CR back.
    void Text(std::string_view text);
    void End();
    // An element holding only text.
    void TextElement(const char* name, std::string_view text);
    // A line break and `depth` steps of indentation, between elements.
    void Indent(int depth);
    // Flushes what is left: the result of the whole writing.
    std::int32_t Finish();
    // The first failure so far (the stream's or libxml2's), else S_OK.
    std::int32_t Result() const { return m_result; }

private:
    static int WriteCallback(void* context, const char* buffer, int length);
    void Check(int written);

    tsOutputStream& m_out; // not owned
    xmlTextWriter* m_writer = nullptr; // owned
    std::int32_t m_result = 0;
};

} // namespace exchange
