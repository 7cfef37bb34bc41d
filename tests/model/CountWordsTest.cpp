#include "model/CountCharacters.h"
#include "model/CountWords.h"

#include <gtest/gtest.h>

TEST(CountWords, WordsAreRunsBetweenSpacesAndLineBreaks) {
    struct Case {
        std::string text;
        std::int32_t words;
    };
    const Case cases[] = {
        {"", 0},
        {"  a  b  ", 2},
        {"a\tb", 1},
        {"one\r\ntwo", 2},
        {"\xC3\xBC"
         "ber\xC3\x9F",
         1},
        {"\r\n\r\n  \n", 0},
        {"word", 1},
        {"\xE6\x97\xA5\xE6\x9C\xAC \xE8\xAA\x9E", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountWords(c.text), c.words) << c.text;
    }
}

TEST(CountSpokenCharacters, CodePointsWithoutLineBreaks) {
    struct Case {
        std::string text;
        std::uint64_t characters;
    };
    const Case cases[] = {
        {"", 0},
        {"Hallo Welt", 10},
        {"one\r\ntwo\nthree\r", 11},
        {"\r\n\r\n", 0},
        {"\xC3\xBC"
         "ber",
         4},                                     // two bytes, one character
        {"\xE6\x97\xA5\xE6\x9C\xAC", 2},         // three bytes each
        {"\xF0\x9F\x8E\xA4!", 2},                // outside the basic plane: one, not two
        {"a\tb", 3},                             // a tab is spoken space
        {"\xFF\xFE" "a", 3},                     // bytes that are not UTF-8: one each
        {"\xE6\x97", 1},                         // a cut sequence: one replacement
        {"\xEF\xBF\xBD", 1},                     // a stored U+FFFD
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountSpokenCharacters(c.text), c.characters) << c.text;
}
