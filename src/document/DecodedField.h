// A stored field as text that a regular expression can run over, with the
// byte of the stored field where each UTF-16 unit comes from. Matches found in
// the text are mapped back to byte ranges, so a replacement splices the
// stored bytes and every byte outside a match stays as it was, including
// bytes that are no UTF-8 (each such sequence reads as U+FFFD).
#pragma once

#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

struct DecodedField {
    QString text;
    // byteAt[i]: the offset of the sequence that unit i belongs to;
    // byteAt[text.size()] is the field's length.
    std::vector<std::uint32_t> byteAt;
};

DecodedField DecodeField(std::string_view bytes);
