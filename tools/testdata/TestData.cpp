#include "testdata/TestData.h"

#include "support/tsMemoryStream.h"

#include <cstdio>

namespace testdata {

namespace {

// Texts of about 80 bytes, with umlauts, Polish, Greek and Japanese mixed in.
const char* const kTexts[] = {
    "Wir m\xC3\xBCssen die Br\xC3\xBC"
    "cke vor Sonnenaufgang erreichen, sonst ist alles verloren.",
    "Zosta\xC5\x84 przy mnie, a\xC5\xBC wr\xC3\xB3"
    "cimy do bazy. Nie mamy ju\xC5\xBC czasu na b\xC5\x82\xC4\x99"
    "dy!",
    "Hold the line until the convoy passes the northern gate, then fall back to camp.",
    "\xCE\x9F \xCE\xB4\xCF\x81\xCF\x8C\xCE\xBC\xCE\xBF\xCF\x82 "
    "\xCE\xB5\xCE\xAF\xCE\xBD\xCE\xB1\xCE\xB9 "
    "\xCE\xBA\xCE\xBB\xCE\xB5\xCE\xB9\xCF\x83\xCF\x84\xCF\x8C\xCF\x82. Find another way in.",
    "\xE5\x85\xB5\xE5\xA3\xAB\xE3\x81\x9F\xE3\x81\xA1\xE3\x81\xAF\xE5\x8C\x97\xE3\x81\xB8"
    "\xE5\x90\x91\xE3\x81\x8B\xE3\x81\xA3\xE3\x81\x9F. Report at the gate at dawn.",
};
const char* const kSpeakers[] = {"Kommandant", "Navigatorin", "Sergeant_K", "Funkerin_A",
                                 "Sp\xC3\xA4her_01"};

std::string Padded(std::string text, std::size_t size) {
    while (text.size() < size)
        text += '.';
    return text;
}

} // namespace

TextResourceEntry MakeTypicalEntry(std::uint32_t index) {
    char buffer[64];
    TextResourceEntry entry;
    entry.id = index + 1;
    std::snprintf(buffer, sizeof buffer, "M%02u_DIALOG_%08u", index % 40, index);
    entry.identifier = buffer;
    std::snprintf(buffer, sizeof buffer, "m%02u_dialog_%08u.wav", index % 40, index);
    entry.audioFile = buffer;
    entry.text = Padded(kTexts[index % 5], 80);
    std::snprintf(buffer, sizeof buffer, "Timing with cutscene %08u.", index);
    entry.comment = buffer;
    entry.speaker = kSpeakers[index % 5];
    entry.lengthMs = 1500 + (index * 37) % 6000;
    return entry;
}

TextResourceObject MakeTypicalCollection(std::uint32_t count) {
    TextResourceObject object;
    for (std::uint32_t i = 0; i < count; ++i)
        object.AddEntry(MakeTypicalEntry(i));
    return object;
}

std::string ToFileBytes(TextResourceObject& object) {
    tsMemoryStream stream;
    object.Write(stream);
    return stream.Data();
}

} // namespace testdata
