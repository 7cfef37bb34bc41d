// The scan behind the search dialog: finds the next entry of a collection
// whose chosen field matches a search text, with one wrap-around pass.
#pragma once

#include <string>
#include <string_view>

class TextResourceObject;

// Which field of an entry the search looks at (the dialog's m_nSearchField).
enum SearchField : int {
    SEARCH_IN_ID = 1,
    SEARCH_IN_TEXT = 2,
    SEARCH_IN_IDENTIFIER = 3,
    SEARCH_IN_AUDIO = 4,
    SEARCH_IN_COMMENT = 5,
};

// Returns the position of the first entry at or after `start` that matches
// `needle` (UTF-8 bytes) in `field`; when none does up to the last entry and
// `start` was not -1, the entries before `start` are searched once as well.
// Returns -1 when nothing matches. The id field matches when the id written as
// a signed decimal number equals the needle; the other fields match when they
// contain the needle byte for byte (case-sensitive; an empty needle is in
// every field). An unknown field never matches.
int FindMatchingEntry(const TextResourceObject& entries, std::string_view needle, int field,
                      int start);
