#include "exchange/XliffWriter.h"

#include "exchange/CsvWriter.h"
#include "exchange/TextForms.h"
#include "exchange/XmlOutput.h"
#include "platform/Win32CodePage.h"

#include <cstdio>
#include <string>

namespace exchange {

namespace {

// Inline text of XLIFF 2.0: runs of text, and <cp/> for each character that
// XML 1.0 cannot hold.
void WriteInline2(XmlOutput& xml, std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t run = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const platform::Utf8Sequence sequence = platform::DecodeUtf8(bytes + i, text.size() - i);
        if (IsXmlCharacter(sequence.character)) {
            i += sequence.length;
            continue;
        }
        xml.Text(text.substr(run, i - run));
        char hex[16];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(sequence.character));
        xml.Start("cp");
        xml.Attribute("hex", hex);
        xml.End();
        i += sequence.length;
        run = i;
    }
    xml.Text(text.substr(run));
}

void PlainText(XmlOutput& xml, std::string_view text) {
    xml.Text(text);
}

// What both versions write alike: the open file, and elements that differ
// between them only in their names.
class XliffUnitWriter : public UnitWriter {
public:
    XliffUnitWriter(const ExportHeader& header, tsOutputStream& out)
        : m_header(header), m_xml(out) {}

protected:
    using TextWriter = void (*)(XmlOutput&, std::string_view);

    // <name key="value">text</name> on a line of its own; nothing for an empty text.
    void Labelled(int depth, const char* name, const char* key, std::string_view value,
                  std::string_view text) {
        if (text.empty())
            return;
        m_xml.Indent(depth);
        m_xml.Start(name);
        m_xml.Attribute(key, value);
        m_xml.Text(text);
        m_xml.End();
    }

    // A unit's element, known by the entry's identifier as its id and its name.
    void StartUnit(int depth, const char* element, const char* nameKey,
                   std::string_view identifier) {
        m_xml.Indent(depth);
        m_xml.Start(element);
        m_xml.Attribute("id", identifier);
        m_xml.Attribute(nameKey, identifier);
    }

    // A source or target, blanks kept as they are.
    void Preserved(const char* name, std::string_view text, TextWriter write,
                   const char* state = nullptr) {
        m_xml.Indent(4);
        m_xml.Start(name);
        m_xml.Attribute("xml:space", "preserve");
        if (state)
            m_xml.Attribute("state", state);
        write(m_xml, text);
        m_xml.End();
    }

    // Ends the open elements from the one at `depth` out to the one at `outer`.
    void Close(int depth, int outer) {
        for (; depth >= outer; --depth) {
            m_xml.Indent(depth);
            m_xml.End();
        }
    }

    // Ends every open element and the document.
    std::int32_t EndDocument(int depth) {
        Close(depth, 0);
        return m_xml.Finish();
    }

    ExportHeader m_header;
    XmlOutput m_xml;
};

class Xliff12Writer : public XliffUnitWriter {
public:
    using XliffUnitWriter::XliffUnitWriter;

    std::int32_t Begin() override {
        m_xml.StartDocument();
        m_xml.Start("xliff");
        m_xml.Attribute("version", "1.2");
        m_xml.Attribute("xmlns", kXliff12Namespace);
        m_xml.Indent(1);
        m_xml.Start("file");
        m_xml.Attribute("original", m_header.original);
        m_xml.Attribute("datatype", "plaintext");
        m_xml.Attribute("source-language", m_header.sourceLanguage);
        m_xml.Attribute("target-language", m_header.targetLanguage);
        m_xml.Indent(2);
        m_xml.Start("body");
        return m_xml.Result();
    }

    std::int32_t Write(const ExportUnit& unit) override {
        const TextResourceEntry& entry = *unit.entry;
        StartUnit(3, "trans-unit", "resname", entry.identifier);
        if (unit.maxLength) {
            m_xml.Attribute("maxwidth", std::to_string(*unit.maxLength));
            m_xml.Attribute("size-unit", "char");
        }
        Preserved("source", unit.source, PlainText);
        Preserved("target", unit.target, PlainText,
                  unit.translated ? "translated" : "needs-translation");
        Labelled(4, "note", "from", "speaker", entry.speaker);
        Labelled(4, "note", "from", "comment", ShownValue(entry.comment));
        m_xml.Indent(4);
        m_xml.Start("context-group");
        m_xml.Attribute("name", "lexarium");
        m_xml.Attribute("purpose", "information");
        Context("x-lexarium-id", std::to_string(entry.id));
        Context("x-audio-file", ShownValue(entry.audioFile));
        Context("x-length-ms", std::to_string(entry.lengthMs));
        Close(4, 3); // context-group, trans-unit
        return m_xml.Result();
    }

    std::int32_t End() override { return EndDocument(2); } // body, file, xliff

private:
    void Context(const char* type, std::string_view value) {
        Labelled(5, "context", "context-type", type, value);
    }
};

class Xliff20Writer : public XliffUnitWriter {
public:
    using XliffUnitWriter::XliffUnitWriter;

    std::int32_t Begin() override {
        m_xml.StartDocument();
        m_xml.Start("xliff");
        m_xml.Attribute("xmlns", kXliff20Namespace);
        if (m_header.lengthLimits)
            m_xml.Attribute("xmlns:slr", kSizeRestrictionNamespace);
        m_xml.Attribute("version", "2.0");
        m_xml.Attribute("srcLang", m_header.sourceLanguage);
        m_xml.Attribute("trgLang", m_header.targetLanguage);
        m_xml.Indent(1);
        m_xml.Start("file");
        m_xml.Attribute("id", "f1");
        m_xml.Attribute("original", m_header.original);
        if (m_header.lengthLimits) {
            // Limits count the code points of the target.
            m_xml.Indent(2);
            m_xml.Start("slr:profiles");
            m_xml.Attribute("generalProfile", "xliff:codepoints");
            m_xml.End();
        }
        return m_xml.Result();
    }

    std::int32_t Write(const ExportUnit& unit) override {
        const TextResourceEntry& entry = *unit.entry;
        StartUnit(2, "unit", "name", entry.identifier);
        if (unit.maxLength)
            m_xml.Attribute("slr:sizeRestriction", std::to_string(*unit.maxLength));
        m_xml.Indent(3);
        m_xml.Start("notes");
        Note("speaker", entry.speaker);
        Note("comment", ShownValue(entry.comment));
        Note("lexarium-id", std::to_string(entry.id));
        Note("audio-file", ShownValue(entry.audioFile));
        Note("length-ms", std::to_string(entry.lengthMs));
        Close(3, 3); // notes
        m_xml.Indent(3);
        m_xml.Start("segment");
        m_xml.Attribute("state", unit.translated ? "translated" : "initial");
        Preserved("source", unit.source, WriteInline2);
        Preserved("target", unit.target, WriteInline2);
        Close(3, 2); // segment, unit
        return m_xml.Result();
    }

    std::int32_t End() override { return EndDocument(1); } // file, xliff

private:
    void Note(const char* category, std::string_view text) {
        Labelled(4, "note", "category", category, text);
    }
};

} // namespace

std::string_view ShownValue(const std::string& value) {
    return value == kEmptyPlaceholder ? std::string_view() : std::string_view(value);
}

std::unique_ptr<UnitWriter> MakeXliffWriter(bool version2, const ExportHeader& header,
                                            tsOutputStream& out) {
    if (version2)
        return std::make_unique<Xliff20Writer>(header, out);
    return std::make_unique<Xliff12Writer>(header, out);
}

std::unique_ptr<UnitWriter> MakeUnitWriter(ExchangeFormat format, const ExportHeader& header,
                                           tsOutputStream& out) {
    switch (format) {
    case ExchangeFormat::Xliff12:
        return MakeXliffWriter(false, header, out);
    case ExchangeFormat::Xliff20:
        return MakeXliffWriter(true, header, out);
    case ExchangeFormat::Csv:
        break;
    }
    return MakeCsvWriter(header, out);
}

} // namespace exchange
