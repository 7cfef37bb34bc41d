#pragma once

// Reads the units of our CSV form back (RFC 4180, UTF-8, a byte-order mark
// allowed): the header names the columns, of which identifier, source and
// target are needed, in any order; records may end in CR LF or LF, quoted
// fields hold line breaks. Read in pieces, one record at a time.

#include "exchange/ByteSource.h"
#include "exchange/TranslatedUnit.h"

namespace exchange {

bool ReadCsv(ByteSource& input, const UnitSink& sink, ReadError& error);

} // namespace exchange
