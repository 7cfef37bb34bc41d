#include "common/Entries.h"
#include "common/TempDir.h"
#include "common/TraceCapture.h"
#include "model/TextResourceObject.h"
#include "model/XmlText.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

const std::string kHeader = "<?xml version='1.0' encoding='Windows-1252'?>\n<textresources>\n";
const std::string kFooter = "</textresources>\n";

std::string Export(TextResourceObject& object) {
    tsMemoryStream stream;
    EXPECT_EQ(object.WriteXml(stream), 0);
    return stream.Data();
}

// Runs a command and returns what it printed, with its exit status.
std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return output;
    }
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    status = ::pclose(pipe);
    return output;
}

} // namespace

TEST(XmlExport, LayoutOfTheDocument) {
    TextResourceObject empty;
    EXPECT_EQ(Export(empty), kHeader + kFooter);

    TextResourceObject object = EntriesWithTexts({"", "one\r\ntwo"});
    EXPECT_EQ(Export(object), kHeader + "\t<textresource>\n\t\t\n\t</textresource>\n" +
                                  "\t<textresource>\n\t\tone&#13;\ntwo\n\t</textresource>\n" +
                                  kFooter);
}

TEST(XmlExport, TextIsEscapedForWindows1252) {
    EXPECT_EQ(EscapeXmlText("a & b <c> \"d\" 'e'"), "a &amp; b &lt;c&gt; \"d\" 'e'");
    EXPECT_EQ(EscapeXmlText("\xC3\xA4\xE2\x82\xAC\xC5\x82\xE6\x97\xA5\xF0\x9F\x98\x80"),
              "\xE4\x80&#322;&#26085;&#128512;");
    // Forbidden characters and invalid UTF-8 are replaced, never written raw.
    EXPECT_EQ(EscapeXmlText(std::string("a\x01\x00"
                                        "b\xFF\xC3",
                                        6)),
              "a&#65533;&#65533;b&#65533;&#65533;");
    EXPECT_EQ(EscapeXmlText("\xEF\xBF\xBF\xED\xA0\x80"), "&#65533;&#65533;&#65533;&#65533;");
    EXPECT_EQ(EscapeXmlText("\xC2\x81\xC2\xA0\ttab"), "&#129;\xA0\ttab");
}

TEST(XmlExport, FailuresAreTracedAndOnlyTheFrameDecides) {
    TextResourceObject object = EntriesWithTexts({"one", "two"});
    {
        tsMemoryStream none;
        none.SetCapacity(0);
        TraceCapture trace;
        EXPECT_EQ(object.WriteXml(none), E_FAIL);
        EXPECT_EQ(trace.lines.back(),
                  "TextResourceObject.cpp(145) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)\n");
    }
    {
        tsMemoryStream cut;
        cut.SetCapacity(kHeader.size() + 20);
        TraceCapture trace;
        EXPECT_EQ(object.WriteXml(cut), E_FAIL);
        bool entrySite = false;
        for (const std::string& line : trace.lines)
            entrySite = entrySite || line.rfind("TextResourceObject.cpp(82) : ", 0) == 0;
        EXPECT_TRUE(entrySite);
    }
}

TEST(XmlExport, ARealParserReadsTheTextsBack) {
    int status = 0;
    RunCommand("xmllint --version >/dev/null 2>&1", status);
    if (status != 0)
        GTEST_SKIP() << "xmllint is not installed";

    const std::vector<std::string> texts = {
        "Plain text",
        "Markup & <tags> > \"quotes\" 'single'",
        "Zeile eins\r\nZeile zwei\r\n",
        "Gr\xC3\xBC\xC3\x9F"
        " Gott \xE2\x80\x9E"
        "Anf\xC3\xBChrung\xE2\x80\x9C \xE2\x82\xAC",
        "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 ja\xC5\xBA\xC5\x84",
        "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1",
        "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF \xF0\x9F\x98\x80",
        "\tTab and C1 \xC2\x81\xC2\x9D",
    };
    TextResourceObject object = EntriesWithTexts(texts);
    TempDir dir;
    std::string path = dir.FileWith("export.xml", Export(object));

    RunCommand("xmllint --noout '" + path + "' 2>&1", status);
    ASSERT_EQ(status, 0) << "the document is well-formed";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string parsed = RunCommand("xmllint --xpath 'string(/textresources/textresource[" +
                                            std::to_string(i + 1) + "])' '" + path + "'",
                                        status);
        ASSERT_EQ(status, 0);
        ASSERT_FALSE(parsed.empty());
        parsed.pop_back(); // xmllint ends its output with a line feed
        EXPECT_EQ(parsed, "\n\t\t" + texts[i] + "\n\t") << i;
    }
}
