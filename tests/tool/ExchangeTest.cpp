// lexarium-tool export and import as translators use them: out to XLIFF 1.2,
// XLIFF 2.0 and CSV, changed by another program (Python's XML and CSV
// modules, translate-toolkit), and back in with only the changed texts
// different, byte for byte; states, conflicts, unknown units, refusals.

#include "CheckCases.h"
#include "RunTool.h"
#include "model/TrsBytes.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using checkcases::FileOf;
using checkcases::WriteRecording;

namespace {

// Debian's own Python, which translate-toolkit is installed for.
constexpr const char kPython[] = "/usr/bin/python3";

// Sets the targets of the units named, in any of the three forms, marking
// each translated: argv[1] the format, [2] the file, then id and text pairs.
constexpr const char kEditTargets[] = R"PY(
import csv, sys
import xml.etree.ElementTree as ET
form, path, pairs = sys.argv[1], sys.argv[2], sys.argv[3:]
changes = dict(zip(pairs[0::2], pairs[1::2]))
if form == 'csv':
    with open(path, newline='', encoding='utf-8-sig') as f:
        rows = list(csv.reader(f))
    col = rows[0].index('target')
    for row in rows[1:]:
        if row[0] in changes:
            row[col] = changes[row[0]]
    with open(path, 'w', newline='', encoding='utf-8') as f:
        csv.writer(f, lineterminator='\r\n').writerows(rows)
    sys.exit(0)
v2 = form == 'xliff2'
ns = 'urn:oasis:names:tc:xliff:document:' + ('2.0' if v2 else '1.2')
ET.register_namespace('', ns)
tree = ET.parse(path)
for unit in tree.getroot().iter('{%s}%s' % (ns, 'unit' if v2 else 'trans-unit')):
    if unit.get('id') not in changes:
        continue
    holder = unit.find('{%s}segment' % ns) if v2 else unit
    target = holder.find('{%s}target' % ns)
    for child in list(target):
        target.remove(child)
    target.text = changes[unit.get('id')]
    (holder if v2 else target).set('state', 'translated')
tree.write(path, encoding='UTF-8', xml_declaration=True)
)PY";

class ExchangeTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return Quote(dir.File(name)); }
    void WriteIn(const std::vector<TextResourceEntry>& entries, const std::string& name = "in.trs") {
        WriteBytes(dir.File(name), FileOf(entries));
    }
    Outcome Tool(const std::string& arguments) { return RunTool(dir, arguments); }
    Outcome Python(const std::string& script, const std::string& arguments) {
        WriteBytes(dir.File("script.py"), script);
        return RunShell(dir, std::string(kPython) + " " + Path("script.py") + " " + arguments);
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(dir.File(name)); }
    TempDir dir;
};

TextResourceEntry Entry(std::uint32_t id, const std::string& identifier, const std::string& text) {
    return checkcases::Entry(id, identifier, text);
}

std::string Counts(int applied, int unchanged, int skipped, int conflict, int unknown, int noUnit) {
    return "applied\t" + std::to_string(applied) + "\nunchanged\t" + std::to_string(unchanged) +
           "\nskipped-state\t" + std::to_string(skipped) + "\nconflict\t" +
           std::to_string(conflict) + "\nunknown-unit\t" + std::to_string(unknown) +
           "\nno-unit\t" + std::to_string(noUnit) + "\n";
}

} // namespace

TEST_F(ExchangeTest, RoundTripsChangeOnlyTheEditedTextsByteForByte) {
    if (std::system((std::string(kPython) + " -c 'import csv, xml.etree' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "Debian's python3 is not installed";
    for (const std::string format : {"xliff", "xliff2", "csv"}) {
        SCOPED_TRACE(format);
        std::vector<TextResourceEntry> entries = {
            MakeEntry({.id = 1, .identifier = "CRLF", .audioFile = "a.wav", .text = "One\r\nTwo",
                       .comment = "calm", .speaker = "Vale", .lengthMs = 1500}),
            Entry(2, "LF", "Eins\nZwei"),
            Entry(3, "PLAIN", "plain"),
            Entry(4, "KEEP", "  <b>Keep</b> & \"me\", 'as' I am  "),
            Entry(5, "EMPTY", ""),
            Entry(7, "UNI", "\xC3\x9C" "ber \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n"),
        };
        // XLIFF 1.2 cannot carry a control character; 2.0 as <cp/>, CSV as it is.
        if (format != "xliff")
            entries.push_back(Entry(6, "CTRL", "Bell\x07 and\x1B"));
        WriteIn(entries);
        const std::string out = "out." + format;
        Outcome outcome = Tool("export " + Path("in.trs") + " " + Path(out) + " --format " + format);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.err, "source language: en, target language: de\n");
        if (format != "csv") {
            EXPECT_EQ(RunShell(dir, "xmllint --noout " + Path(out)).status, 0);
            EXPECT_NE(ReadBytes(dir.File(out)).find("One&#13;\nTwo"), std::string::npos);
        }
        if (format == "xliff2") {
            EXPECT_NE(ReadBytes(dir.File(out)).find("Bell<cp hex=\"0007\"/> and<cp hex=\"001B\"/>"),
                      std::string::npos);
        }

        outcome = Python(kEditTargets, format + " " + Path(out) +
                                           " CRLF 'Eins neu\nZwei neu' LF 'A\nB' "
                                           "PLAIN '  <i>spaced</i> & \"quoted\"  ' EMPTY Neu");
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        outcome = Tool("import " + Path("in.trs") + " " + Path(out) + " " + Path("out.trs"));
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        const int kept = format == "xliff" ? 2 : 3;
        EXPECT_EQ(outcome.out, Counts(4, kept, 0, 0, 0, 0));

        // The new texts take the entries' line breaks: CR LF where the text
        // had CR LF or none, LF where it had LF. Nothing else changes.
        entries[0].text = "Eins neu\r\nZwei neu";
        entries[1].text = "A\nB";
        entries[2].text = "  <i>spaced</i> & \"quoted\"  ";
        entries[4].text = "Neu";
        EXPECT_EQ(ReadBytes(dir.File("out.trs")), FileOf(entries));
    }
}

TEST_F(ExchangeTest, StatesConflictsUnknownUnitsAndEntriesWithoutUnits) {
    WriteIn({Entry(1, "A", "Alpha"), Entry(2, "B", "Beta"), Entry(3, "C", "Gamma"),
             Entry(4, "D", "Delta"), Entry(5, "E", "Eps"), Entry(6, "F", "Zeta"),
             Entry(7, "G", "Eta")});
    auto unit = [](const std::string& id, const std::string& state, const std::string& source,
                   const std::string& target) {
        return "<trans-unit id=\"" + id + "\"><source>" + source + "</source><target" +
               (state.empty() ? "" : " state=\"" + state + "\"") + ">" + target +
               "</target><alt-trans><source>old</source><target>alt</target></alt-trans>"
               "</trans-unit>\n";
    };
    WriteBytes(dir.File("t.xlf"),
               "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\" "
               "xmlns=\"urn:oasis:names:tc:xliff:document:1.2\"><file original=\"in.trs\" "
               "source-language=\"en\" datatype=\"plaintext\"><body>\n" +
                   unit("A", "translated", "Alpha", "Alfa") +
                   unit("B", "needs-translation", "Beta", "Betta") + unit("C", "", "Gamma", "Gama") +
                   unit("D", "final", "Delta OLD", "Delda") + unit("E", "signed-off", "Eps", "") +
                   "<group>" + unit("X", "translated", "x", "y") + "</group>" +
                   unit("F", "new", "Zeta", "Zita") + "</body></file></xliff>\n");
    const std::string import = "import " + Path("in.trs") + " " + Path("t.xlf") + " " + Path("out.trs");
    Outcome outcome = Tool(import);
    EXPECT_EQ(outcome.status, 3) << outcome.err;
    EXPECT_EQ(outcome.out,
              "conflict\tD\tthe source changed since the export; not applied (the unit on line 6)\n"
              "unknown-unit\tX\tno entry has this identifier (the unit on line 8)\n"
              "no-unit\tG\tno unit for this entry; its text stays\n" +
                  Counts(2, 0, 3, 1, 1, 1));
    WriteBytes(dir.File("expected.trs"),
               FileOf({Entry(1, "A", "Alfa"), Entry(2, "B", "Beta"), Entry(3, "C", "Gama"),
                       Entry(4, "D", "Delta"), Entry(5, "E", "Eps"), Entry(6, "F", "Zeta"),
                       Entry(7, "G", "Eta")}));
    EXPECT_EQ(ReadBytes(dir.File("out.trs")), ReadBytes(dir.File("expected.trs")));

    outcome = Tool(import + " --force --all-states");
    EXPECT_EQ(outcome.status, 3) << "the unknown unit is still there";
    EXPECT_NE(outcome.out.find("forced\tD\t"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.out.find(Counts(5, 0, 1, 0, 1, 1)), std::string::npos) << outcome.out;

    // XLIFF 2.0 states; a unit is done when all its segments are. Nothing
    // unknown and no conflict: exit status 0, though entries had no unit.
    WriteBytes(dir.File("t2.xlf"),
               "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" version=\"2.0\" "
               "srcLang=\"en\"><file id=\"f\">"
               "<unit id=\"A\"><segment state=\"reviewed\"><source>Al</source><target>Al-</target>"
               "</segment><ignorable><source>pha</source><target>fa</target></ignorable></unit>"
               "<unit id=\"B\"><segment state=\"initial\"><source>Beta</source><target>Bx</target>"
               "</segment></unit>"
               "<unit id=\"C\"><segment state=\"final\"><source>Gam</source><target>Ga</target>"
               "</segment><segment state=\"translated\"><source>ma</source><target>ma!</target>"
               "</segment></unit></file></xliff>");
    outcome = Tool("import " + Path("in.trs") + " " + Path("t2.xlf") + " " + Path("out.trs"));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find(Counts(2, 0, 1, 0, 0, 4)), std::string::npos) << outcome.out;
    WriteBytes(dir.File("expected.trs"),
               FileOf({Entry(1, "A", "Al-fa"), Entry(2, "B", "Beta"), Entry(3, "C", "Gama!"),
                       Entry(4, "D", "Delta"), Entry(5, "E", "Eps"), Entry(6, "F", "Zeta"),
                       Entry(7, "G", "Eta")}));
    EXPECT_EQ(ReadBytes(dir.File("out.trs")), ReadBytes(dir.File("expected.trs")));
}

TEST_F(ExchangeTest, ExportsThatCannotCarryAnEntryWriteNothingAndNameTheEntries) {
    WriteBytes(dir.File("out.xlf"), "kept");
    const struct {
        std::vector<TextResourceEntry> entries;
        std::vector<std::string> formats;
        std::vector<std::string> named; // in the message
    } cases[] = {
        {{Entry(1, "OK", "fine"), Entry(2, "ESC", "a\x1B[0m")}, {"xliff"}, {"\"ESC\"", "XLIFF 1.2"}},
        {{Entry(1, "has blank", "x"), Entry(2, "a/b", "y"), Entry(3, "ok.id-1", "z")},
         {"xliff2"},
         {"\"has blank\"", "\"a/b\"", "name token"}},
        {{Entry(1, "A", "x"), MakeEntry({.id = 2, .identifier = "BAD", .comment = "caf\xE9"})},
         {"xliff", "xliff2", "csv"},
         {"\"BAD\"", "comment holds bytes that are not UTF-8"}},
        {{Entry(1, "A", "x"), Entry(2, "B", "y"), Entry(3, "A", "z")},
         {"xliff", "xliff2", "csv"},
         {"position 2, \"A\"", "the same identifier as the entry at position 0"}},
    };
    for (const auto& c : cases) {
        WriteIn(c.entries);
        for (const std::string& format : c.formats) {
            SCOPED_TRACE(format + " " + c.named.front());
            const Outcome outcome =
                Tool("export " + Path("in.trs") + " " + Path("out.xlf") + " --format " + format);
            EXPECT_EQ(outcome.status, 1);
            for (const std::string& named : c.named)
                EXPECT_NE(outcome.err.find(named), std::string::npos) << outcome.err;
            EXPECT_NE(outcome.err.find("nothing was written"), std::string::npos);
            EXPECT_EQ(ReadBytes(dir.File("out.xlf")), "kept");
        }
    }
    // The byte-order mark is for CSV only.
    const Outcome outcome =
        Tool("export " + Path("in.trs") + " " + Path("o.xlf") + " --format xliff --bom");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_FALSE(Exists("o.xlf"));
}

TEST_F(ExchangeTest, ImportsRefuseFilesTheyCannotTakeWhole) {
    using namespace trsbytes;
    WriteIn({Entry(1, "A", "Alpha")});
    const std::string current = ReadBytes(dir.File("in.trs"));
    WriteBytes(dir.File("t.csv"), "identifier,source,target\r\nA,Alpha,Alfa\r\n");
    const struct {
        std::string in;
        std::string translated;
        std::string told;
    } cases[] = {
        {Header(3, 1) + U32(1) + Str("A") + Str("leer") + Str("Alpha") + Str("leer") + Str(""),
         "", "version 3, not the current 4"},
        {current + "xx", "", "2 bytes follow the last record"},
        {current.substr(0, current.size() - 2), "", "not as the writer makes it"},
        {current + "", "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n<file>\n<body",
         "line 3, column"},
        {current, "<other/>", "the root element is <other>"},
        {current, "identifier,source,target\r\nA,\"Alpha,Alfa\r\n", "inside the quoted field"},
        {current, "identifier,source,target\r\nA,Al\"pha,Alfa\r\n", "line 2, column 5"},
        {current, "id,text\r\nA,Alfa\r\n", "no \"identifier\" column"},
        {current, [] {
             const char csv[] = "identifier,source,target\r\nA,Alpha,\"Al\0fa\"\r\n";
             return std::string(csv, sizeof csv - 1);
         }(),
         "line 2, column 1: the record holds a zero byte"},
        {current, "identifier,source,target\r\nA,Alpha,Caf\xE9\r\n", "not UTF-8"},
        {FileOf({Entry(1, "A", "x"), Entry(2, "A", "y")}), "", "identifiers more than once"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        WriteBytes(dir.File("in.trs"), c.in);
        if (!c.translated.empty())
            WriteBytes(dir.File("t2"), c.translated);
        const Outcome outcome = Tool("import " + Path("in.trs") + " " +
                                     Path(c.translated.empty() ? "t.csv" : "t2") + " " +
                                     Path("out.trs"));
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.err.find(c.told), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find("Nothing was written"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
        EXPECT_FALSE(Exists("out.trs"));
    }
}

TEST_F(ExchangeTest, HostileXmlIsRefusedQuicklyInLittleMemory) {
    WriteIn({Entry(1, "A", "Alpha")});
    const std::string xliff =
        "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\"";
    const std::string unit = "<file><body><trans-unit id=\"A\"><source>Alpha</source><target>";
    const std::string end = "</target></trans-unit></body></file></xliff>";
    std::string laughs = "<!DOCTYPE xliff [<!ENTITY lol0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            laughs += "&lol" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    laughs += "]>";
    const std::pair<std::string, std::string> cases[] = {
        {"external entity", "<!DOCTYPE xliff [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>" +
                                xliff + ">" + unit + "&xxe;" + end},
        {"billion laughs", laughs + xliff + ">" + unit + "&lol9;" + end},
        {"50 MB attribute", xliff + " x=\"" + std::string(50u << 20, 'a') + "\">" + unit + end},
        {"100000 nested elements", xliff + "><file><body>" + [] {
             std::string nested;
             for (int i = 0; i < 100000; ++i)
                 nested += "<group>";
             return nested;
         }()},
        {"entities declared, not used",
         "<!DOCTYPE xliff [<!ENTITY unused \"x\">]>" + xliff + ">" + unit + "Alfa" + end},
    };
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        WriteBytes(dir.File("hostile.xlf"), content);
        const Outcome outcome =
            RunShell(dir, "/usr/bin/time -f 'TIME %e %M' -o " + Path("time.txt") + " " +
                              Quote(LEXARIUM_TOOL_PATH) + " import " + Path("in.trs") + " " +
                              Path("hostile.xlf") + " " + Path("out.trs"));
        EXPECT_EQ(outcome.status, 1) << outcome.err;
        EXPECT_NE(outcome.err.find("hostile.xlf cannot be read: line"), std::string::npos)
            << outcome.err.substr(0, 400);
        double seconds = 99;
        long kilobytes = 1 << 30;
        const std::string times = ReadBytes(dir.File("time.txt"));
        if (const std::size_t at = times.find("TIME "); at != std::string::npos)
            std::sscanf(times.c_str() + at, "TIME %lf %ld", &seconds, &kilobytes);
        EXPECT_LT(seconds, 5.0);
        EXPECT_LT(kilobytes, 100 * 1024);
        EXPECT_FALSE(Exists("out.trs"));
        EXPECT_EQ(outcome.err.find("root:"), std::string::npos);
    }
}

TEST_F(ExchangeTest, TranslateToolkitReadsOurXliffAndItsChangesComeBackIn) {
    if (std::system("command -v xliff2po >/dev/null && command -v msgfmt >/dev/null") != 0 ||
        std::system((std::string(kPython) + " -c 'import translate.storage.xliff' 2>/dev/null")
                        .c_str()) != 0)
        GTEST_SKIP() << "translate-toolkit or gettext is not installed";
    WriteIn({Entry(1, "GREET", "Hello, %s!"), Entry(2, "BYE", "Goodbye.\r\nSee you."),
             Entry(3, "ONLY_EN", "Only here")},
            "en.trs");
    WriteIn({Entry(1, "GREET", "Hallo, %s!"), Entry(2, "BYE", "Goodbye.\r\nSee you."),
             Entry(4, "NEW", "Neu")});
    Outcome outcome = Tool("export " + Path("in.trs") + " " + Path("de.xlf") +
                           " --format xliff --reference " + Path("en.trs"));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.err.find("\"NEW\": not in the reference file"), std::string::npos)
        << outcome.err;

    outcome = RunShell(dir, "xliff2po " + Path("de.xlf") + " " + Path("de.po") + " && msgfmt -c -o " +
                                Path("de.mo") + " " + Path("de.po"));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string po = ReadBytes(dir.File("de.po"));
    EXPECT_NE(po.find("msgid \"Hello, %s!\"\nmsgstr \"Hallo, %s!\""), std::string::npos) << po;
    EXPECT_NE(po.find("msgid \"Neu\""), std::string::npos) << po;

    outcome = Python(R"PY(
import sys
from translate.storage import xliff
store = xliff.xlifffile.parsefile(sys.argv[1])
for unit in store.units:
    if unit.source == 'Hello, %s!':
        unit.target = 'Servus, %s!'
store.savefile(sys.argv[1])
)PY",
                     Path("de.xlf"));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    outcome = Tool("import " + Path("in.trs") + " " + Path("de.xlf") + " " + Path("out.trs") +
                   " --reference " + Path("en.trs"));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, Counts(1, 0, 2, 0, 0, 0)) << "the others are untranslated";
    EXPECT_EQ(ReadBytes(dir.File("out.trs")),
              FileOf({Entry(1, "GREET", "Servus, %s!"), Entry(2, "BYE", "Goodbye.\r\nSee you."),
                      Entry(4, "NEW", "Neu")}));
}

TEST_F(ExchangeTest, LengthLimitsFromRecordingsOrStoredLengthsAndTheByteOrderMark) {
    WriteIn({checkcases::Entry(1, "REC", "a", "rec.wav", 1500),
             checkcases::Entry(2, "STORED", "b", "gone.wav", 1550),
             checkcases::Entry(3, "NONE", "c")});
    std::filesystem::create_directory(dir.File("audio"));
    WriteRecording(dir.File("audio/rec.wav"), 2000);
    Outcome outcome = Tool("export " + Path("in.trs") + " " + Path("s.xlf") +
                           " --format xliff --max-cps 10 --target-language pt-BR");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err.rfind("source language: en, target language: pt-BR\n", 0), 0u);
    std::string xml = ReadBytes(dir.File("s.xlf"));
    EXPECT_NE(xml.find("id=\"REC\" resname=\"REC\" maxwidth=\"15\" size-unit=\"char\""),
              std::string::npos);
    EXPECT_NE(xml.find("id=\"STORED\" resname=\"STORED\" maxwidth=\"15\""), std::string::npos);
    EXPECT_NE(xml.find("id=\"NONE\" resname=\"NONE\">"), std::string::npos);

    outcome = Tool("export " + Path("in.trs") + " " + Path("s2.xlf") +
                   " --format xliff2 --max-cps 10 --audio " + Path("audio"));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    xml = ReadBytes(dir.File("s2.xlf"));
    EXPECT_NE(xml.find("<unit id=\"REC\" name=\"REC\" slr:sizeRestriction=\"20\">"),
              std::string::npos) << xml;
    EXPECT_NE(xml.find("<unit id=\"STORED\" name=\"STORED\">"), std::string::npos);
    EXPECT_EQ(RunShell(dir, "xmllint --noout " + Path("s2.xlf")).status, 0);

    outcome = Tool("export " + Path("in.trs") + " " + Path("s.csv") + " --format csv --bom");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(dir.File("s.csv")),
              "\xEF\xBB\xBFidentifier,id,speaker,comment,audio file,length ms,source,target\r\n"
              "REC,1,,,rec.wav,1500,a,a\r\nSTORED,2,,,gone.wav,1550,b,b\r\nNONE,3,,,,0,c,c\r\n");
    // A target changed in a spreadsheet comes back through the mark.
    WriteBytes(dir.File("s.csv"), "\xEF\xBB\xBFidentifier,source,target\nREC,a,\"x\ny\"\n");
    outcome = Tool("import " + Path("in.trs") + " " + Path("s.csv") + " " + Path("out.trs"));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReadBytes(dir.File("out.trs")),
              FileOf({checkcases::Entry(1, "REC", "x\r\ny", "rec.wav", 1500),
                      checkcases::Entry(2, "STORED", "b", "gone.wav", 1550),
                      checkcases::Entry(3, "NONE", "c")}));
}
