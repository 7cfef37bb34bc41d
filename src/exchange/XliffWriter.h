#pragma once

#include "exchange/ExportUnit.h"

namespace exchange {

inline constexpr const char kXliff12Namespace[] = "urn:oasis:names:tc:xliff:document:1.2";
inline constexpr const char kXliff20Namespace[] = "urn:oasis:names:tc:xliff:document:2.0";
inline constexpr const char kSizeRestrictionNamespace[] =
    "urn:oasis:names:tc:xliff:sizerestriction:2.0";

// XLIFF 1.2 and 2.0. How the fields of an entry travel:
//   1.2: trans-unit id and resname = identifier; maxwidth with size-unit
//        "char" = the length limit; notes from="speaker" and from="comment";
//        a context-group name="lexarium" with contexts of the types
//        x-lexarium-id, x-audio-file and x-length-ms.
//   2.0: unit id and name = identifier; slr:sizeRestriction = the length
//        limit (profile xliff:codepoints); notes of the categories speaker,
//        comment, lexarium-id, audio-file and length-ms.
// Sources and targets carry xml:space="preserve". The writers take texts that
// XML can hold; in 2.0 the characters it cannot hold go as <cp hex="..."/>.
std::unique_ptr<UnitWriter> MakeXliffWriter(bool version2, const ExportHeader& header,
                                            tsOutputStream& out);

} // namespace exchange
