#include "common/Entries.h"
#include "common/TraceCapture.h"
#include "model/ConvertLegacyText.h"
#include "model/TextResourceObject.h"
#include "model/TrsBytes.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"

#include <gtest/gtest.h>

using namespace trsbytes;

namespace {

std::string Save(TextResourceObject& object) {
    tsMemoryStream stream;
    EXPECT_EQ(object.Write(stream), 0);
    return stream.Data();
}

TextResourceObject Load(const std::string& bytes, std::int32_t expectedResult = 0) {
    TextResourceObject object;
    tsMemoryStream stream(bytes);
    EXPECT_EQ(object.Read(stream), expectedResult);
    return object;
}

} // namespace

TEST(TextResourceFormat, WriterOutputIsByteExact) {
    TextResourceObject empty;
    EXPECT_EQ(Save(empty), Header(4, 0));
    EXPECT_EQ(Save(empty).size(), 24u);

    TextResourceObject one = MakeEntries({{.id = 1}});
    std::string expected = Header(4, 1) + U32(1) + Str("UNBENANNT") + Str("leer") + Str("leer") +
                           Str("leer") + Str("") + U32(0);
    EXPECT_EQ(Save(one), expected);
    EXPECT_EQ(Save(one).size(), 58u);
}

TEST(TextResourceFormat, AllFieldsRoundTripByteForByte) {
    const TextResourceEntry entry = MakeEntry({.id = 0xDEADBEEF,
                                               .identifier = "GREETING_01",
                                               .audioFile = "greeting_01.wav",
                                               .text = "Gr\xC3\xBC\xC3\x9F"
                                                       " dich!\r\nZweite Zeile \xE6\x97\xA5",
                                               .comment = std::string(300, 'c'),
                                               .speaker = std::string(70000, 's'),
                                               .lengthMs = 123456});
    TextResourceObject object;
    object.AddEntry(entry);
    object.AddEntry(TextResourceEntry());
    std::string saved = Save(object);

    TextResourceObject loaded = Load(saved);
    ASSERT_EQ(loaded.GetEntryCount(), 2u);
    EXPECT_TRUE(*loaded.GetEntry(0) == entry);
    EXPECT_TRUE(*loaded.GetEntry(1) == TextResourceEntry());
    EXPECT_EQ(loaded.GetFileVersion(), 4u);
    EXPECT_EQ(Save(loaded), saved);
}

TEST(TextResourceFormat, LegacyVersionsAreConvertedToTheCurrentForm) {
    // Version 1: comment present, strings in Windows-1252, no speaker or length.
    std::string v1 = Header(1, 1) + U32(9) + Str("K\xE4SE") + Str("k\xE4se.wav") + Str("\x80 5") +
                     Str("Kommentar \xFC");
    TextResourceObject loaded = Load(v1);
    ASSERT_EQ(loaded.GetEntryCount(), 1u);
    EXPECT_EQ(*loaded.GetEntry(0), MakeEntry({.id = 9,
                                              .identifier = "K\xC3\xA4SE",
                                              .audioFile = "k\xC3\xA4se.wav",
                                              .text = "\xE2\x82\xAC 5",
                                              .comment = "Kommentar \xC3\xBC",
                                              .speaker = "",
                                              .lengthMs = 0}));
    EXPECT_EQ(loaded.GetFileVersion(), 1u);

    std::string resaved = Save(loaded);
    EXPECT_EQ(resaved.substr(16, 4), U32(4));
    EXPECT_NE(resaved.find("K\xC3\xA4SE"), std::string::npos);

    // Version 0 has no comment: it stays the placeholder.
    std::string v0 = Header(0, 2) + U32(1) + Str("A") + Str("a.wav") + Str("eins") + U32(2) +
                     Str("B") + Str("b.wav") + Str("zwei");
    TextResourceObject old = Load(v0);
    ASSERT_EQ(old.GetEntryCount(), 2u);
    EXPECT_EQ(old.GetEntry(0)->comment, "leer");
    EXPECT_EQ(old.GetEntry(1)->text, "zwei");
}

TEST(TextResourceFormat, VersionsTwoAndThreeAndNewerReadTheirFields) {
    std::string v2 = Header(2, 1) + U32(1) + Str("A") + Str("") + Str("\xC3\xA4") + Str("c");
    TextResourceEntry entry = *Load(v2).GetEntry(0);
    EXPECT_EQ(entry.text, "\xC3\xA4") << "version 2 is UTF-8 already";
    EXPECT_EQ(entry.speaker, "");

    std::string v3 = Header(3, 1) + U32(1) + Str("A") + Str("") + Str("t") + Str("c") + Str("Ola");
    EXPECT_EQ(Load(v3).GetEntry(0)->speaker, "Ola");

    std::string v9 =
        Header(9, 1) + U32(1) + Str("A") + Str("") + Str("t") + Str("c") + Str("S") + U32(250);
    EXPECT_EQ(Load(v9).GetEntry(0)->lengthMs, 250u) << "newer versions read like version 4";
}

TEST(TextResourceFormat, ForeignMagicIsPassedOver) {
    std::string bytes = std::string(16, 'Z') + U32(4) + U32(1) + U32(3) + Str("X") + Str("") +
                        Str("t") + Str("c") + Str("s") + U32(1);
    TextResourceObject loaded = Load(bytes);
    ASSERT_EQ(loaded.GetEntryCount(), 1u);
    EXPECT_EQ(loaded.GetEntry(0)->id, 3u);
}

TEST(TextResourceFormat, LoadingAppendsToTheCollection) {
    TextResourceObject object;
    object.AddEntry(TextResourceEntry());
    TextResourceObject source;
    source.AddEntry(TextResourceEntry());
    tsMemoryStream stream(Save(source));
    EXPECT_EQ(object.Read(stream), 0);
    EXPECT_EQ(object.GetEntryCount(), 2u);
}

TEST(TextResourceFormat, FailingCountWriteFailsTheSave) {
    TextResourceObject object;
    object.AddEntry(TextResourceEntry());
    tsMemoryStream full;
    full.SetCapacity(20);
    TraceCapture trace;
    EXPECT_EQ(object.Write(full), E_FAIL);

    // Entry failures are traced but only the count decides.
    tsMemoryStream cut;
    cut.SetCapacity(30);
    EXPECT_EQ(object.Write(cut), 0);
    EXPECT_FALSE(trace.lines.empty());
}

TEST(ConvertLegacyText, ConvertsWindows1252AndKeepsAscii) {
    std::string out = "stale";
    ConvertLegacyText(out, "UNBENANNT");
    EXPECT_EQ(out, "UNBENANNT");
    ConvertLegacyText(out, "\xE4\x9D");
    EXPECT_EQ(out, "\xC3\xA4\xC2\x9D");
    ConvertLegacyText(out, "");
    EXPECT_EQ(out, "");
}
