#include "platform/Win32CodePage.h"

#include <gtest/gtest.h>
#include <string>

using namespace platform;

namespace {

std::u16string ToWide(UINT codePage, const std::string& bytes) {
    int units =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        units);
    return wide;
}

std::string ToBytes(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr) {
    int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, usedDefault);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, usedDefault);
    return bytes;
}

} // namespace

TEST(Win32CodePage, Windows1252HasItsWindowsTable) {
    EXPECT_EQ(ToWide(CP_ACP, "\x80\x9F\xE4\xFF"), (std::u16string{0x20AC, 0x0178, 0x00E4, 0x00FF}));
    // The five undefined bytes map to the C1 controls of the same value, both ways.
    EXPECT_EQ(ToWide(CP_ACP, "\x81\x8D\x8F\x90\x9D"),
              (std::u16string{0x81, 0x8D, 0x8F, 0x90, 0x9D}));
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToBytes(CP_ACP, ToWide(CP_ACP, all)), all) << "every byte survives a round trip";
}

TEST(Win32CodePage, MissingCharactersBecomeTheDefaultCharacter) {
    BOOL usedDefault = FALSE;
    EXPECT_EQ(ToBytes(CP_ACP, u"z\u0142y \u20AC", &usedDefault), "z?y \x80");
    EXPECT_TRUE(usedDefault);
    // A character outside the basic plane is one question mark, not two.
    EXPECT_EQ(ToBytes(CP_ACP, u"\U0001F600"), "?");
    char star = '*';
    char out[4] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u65E5", 1, out, 4, &star, &usedDefault), 1);
    EXPECT_EQ(out[0], '*');
}

TEST(Win32CodePage, Utf8RoundTripsEveryPlane) {
    std::string text = "a\xC3\xA4\xE6\x97\xA5\xF0\x9F\x98\x80";
    std::u16string wide = ToWide(CP_UTF8, text);
    EXPECT_EQ(wide, (std::u16string{u'a', 0xE4, 0x65E5, 0xD83D, 0xDE00}));
    EXPECT_EQ(ToBytes(CP_UTF8, wide), text);
}

TEST(Win32CodePage, InvalidUtf8DecodesToReplacementCharacters) {
    const char16_t r = 0xFFFD;
    EXPECT_EQ(ToWide(CP_UTF8, "a\xFF"
                              "b"),
              (std::u16string{u'a', r, u'b'}));
    // A cut sequence is one replacement for its valid start.
    EXPECT_EQ(ToWide(CP_UTF8, "\xE2\x82"
                              "x"),
              (std::u16string{r, u'x'}));
    // Overlong forms and encoded surrogates are rejected byte by byte.
    EXPECT_EQ(ToWide(CP_UTF8, "\xC0\x80"), (std::u16string{r, r}));
    EXPECT_EQ(ToWide(CP_UTF8, "\xED\xA0\x80"), (std::u16string{r, r, r}));
    // A lone surrogate is written to UTF-8 as U+FFFD.
    EXPECT_EQ(ToBytes(CP_UTF8, std::u16string{0xD800, u'a'}), "\xEF\xBF\xBD"
                                                              "a");
}

// The decoder says which bytes are UTF-8, so that a stored U+FFFD is told from
// the replacement of bytes that are not.
TEST(Win32CodePage, DecoderTellsSequencesFromBytesThatAreNotUtf8) {
    const struct {
        std::string bytes;
        char32_t character;
        std::size_t length;
        bool valid;
    } cases[] = {
        {"A", U'A', 1, true},
        {"\xC3\xA4", 0xE4, 2, true},
        {"\xEF\xBF\xBD", 0xFFFD, 3, true},
        {"\xF0\x9F\x98\x80", 0x1F600, 4, true},
        {"\xF4\x8F\xBF\xBFx", 0x10FFFF, 4, true},
        {"\xFF", 0xFFFD, 1, false},
        {"\xBF", 0xFFFD, 1, false},
        {"\xEF\xBF", 0xFFFD, 2, false},  // cut short: its valid start
        {"\xE2\x82x", 0xFFFD, 2, false}, // cut by another character
        {"\xC0\x80", 0xFFFD, 1, false},  // overlong
        {"\xE0\x9F\xBF", 0xFFFD, 1, false},
        {"\xED\xA0\x80", 0xFFFD, 1, false},     // a surrogate
        {"\xF4\x90\x80\x80", 0xFFFD, 1, false}, // above U+10FFFF
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        const Utf8Sequence sequence = DecodeUtf8(bytes, c.bytes.size());
        EXPECT_EQ(sequence.character, c.character) << c.bytes;
        EXPECT_EQ(sequence.length, c.length) << c.bytes;
        EXPECT_EQ(sequence.valid, c.valid) << c.bytes;
    }
}

TEST(Win32CodePage, SizesBuffersAndParameters) {
    // -1 converts the terminator too.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 0), 4);
    char16_t small[2];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, small, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 0, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MultiByteToWideChar(1250, 0, "abc", 3, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, nullptr, &usedDefault), 0)
        << "UTF-8 takes no default character";
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
