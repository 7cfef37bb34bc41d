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

class Xliff12Writer : public UnitWriter {
public:
    Xliff12Writer(const ExportHeader& header, tsOutputStream& out) : m_header(header), m_xml(out) {}

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
        m_xml.Indent(3);
        m_xml.Start("trans-unit");
        m_xml.Attribute("id", entry.identifier);
        m_xml.Attribute("resname", entry.identifier);
        if (unit.maxLength) {
            m_xml.Attribute("maxwidth", std::to_string(*unit.maxLength));
            m_xml.Attribute("size-unit", "char");
        }
        m_xml.Indent(4);
        m_xml.Start("source");
        m_xml.Attribute("xml:space", "preserve");
        m_xml.Text(unit.source);
        m_xml.End();
        m_xml.Indent(4);
        m_xml.Start("target");
        m_xml.Attribute("xml:space", "preserve");
        m_xml.Attribute("state", unit.translated ? "translated" : "needs-translation");
        m_xml.Text(unit.target);
        m_xml.End();
        Note("speaker", entry.speaker);
        Note("comment", ShownValue(entry.comment));
        m_xml.Indent(4);
        m_xml.Start("context-group");
        m_xml.Attribute("name", "lexarium");
        m_xml.Attribute("purpose", "information");
        Context("x-lexarium-id", std::to_string(entry.id));
        if (!ShownValue(entry.audioFile).empty())
            Context("x-audio-file", entry.audioFile);
        Context("x-length-ms", std::to_string(entry.lengthMs));
        m_xml.Indent(4);
        m_xml.End(); // context-group
        m_xml.Indent(3);
        m_xml.End(); // trans-unit
        return m_xml.Result();
    }

    std::int32_t End() override {
        m_xml.Indent(2);
        m_xml.End(); // body
        m_xml.Indent(1);
        m_xml.End(); // file
        m_xml.Indent(0);
        m_xml.End(); // xliff
        return m_xml.Finish();
    }

private:
    void Note(const char* from, std::string_view text) {
        if (text.empty())
            return;
        m_xml.Indent(4);
        m_xml.Start("note");
        m_xml.Attribute("from", from);
        m_xml.Text(text);
        m_xml.End();
    }

    void Context(const char* type, std::string_view value) {
        m_xml.Indent(5);
        m_xml.Start("context");
        m_xml.Attribute("context-type", type);
        m_xml.Text(value);
        m_xml.End();
    }

    ExportHeader m_header;
    XmlOutput m_xml;
};

class Xliff20Writer : public UnitWriter {
public:
    Xliff20Writer(const ExportHeader& header, tsOutputStream& out) : m_header(header), m_xml(out) {}

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
        m_xml.Indent(2);
        m_xml.Start("unit");
        m_xml.Attribute("id", entry.identifier);
        m_xml.Attribute("name", entry.identifier);
        if (unit.maxLength)
            m_xml.Attribute("slr:sizeRestriction", std::to_string(*unit.maxLength));
        m_xml.Indent(3);
        m_xml.Start("notes");
        Note("speaker", entry.speaker);
        Note("comment", ShownValue(entry.comment));
        Note("lexarium-id", std::to_string(entry.id));
        Note("audio-file", ShownValue(entry.audioFile));
        Note("length-ms", std::to_string(entry.lengthMs));
        m_xml.Indent(3);
        m_xml.End(); // notes
        m_xml.Indent(3);
        m_xml.Start("segment");
        m_xml.Attribute("state", unit.translated ? "translated" : "initial");
        m_xml.Indent(4);
        m_xml.Start("source");
        m_xml.Attribute("xml:space", "preserve");
        WriteInline2(m_xml, unit.source);
        m_xml.End();
        m_xml.Indent(4);
        m_xml.Start("target");
        m_xml.Attribute("xml:space", "preserve");
        WriteInline2(m_xml, unit.target);
        m_xml.End();
        m_xml.Indent(3);
        m_xml.End(); // segment
        m_xml.Indent(2);
        m_xml.End(); // unit
        return m_xml.Result();
    }

    std::int32_t End() override {
        m_xml.Indent(1);
        m_xml.End(); // file
        m_xml.Indent(0);
        m_xml.End(); // xliff
        return m_xml.Finish();
    }

private:
    void Note(const char* category, std::string_view text) {
        if (text.empty())
            return;
        m_xml.Indent(4);
        m_xml.Start("note");
        m_xml.Attribute("category", category);
        m_xml.Text(text);
        m_xml.End();
    }

    ExportHeader m_header;
    XmlOutput m_xml;
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
