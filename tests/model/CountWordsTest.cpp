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
