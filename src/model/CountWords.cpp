#include "model/CountWords.h"

std::int32_t CountWords(const std::string& value) {
    std::int32_t words = 0;
    bool inWord = false;
    for (char c : value) {
        if (c == ' ' || c == '\r' || c == '\n') {
            if (inWord)
                ++words;
            inWord = false;
        } else {
            inWord = true;
        }
    }
    return inWord ? words + 1 : words;
}
