#pragma once

// Reads the units of an XLIFF 1.2 or 2.0 file with libxml2's streaming
// reader: one unit at a time, the file never held whole.
//
// Hostile files are refused, in bounded memory and time: no network, no DTD
// loaded, no entity substituted, no external entity loaded (the loader
// refuses every one); a DOCTYPE that declares entities is refused, whatever
// it uses them for, and so is any entity reference; libxml2's own limits
// (without XML_PARSE_HUGE) stop texts and attributes over 10 MB and nesting
// deeper than 256.

#include "exchange/ByteSource.h"
#include "exchange/TranslatedUnit.h"

namespace exchange {

// `format` is told which version the file is once its root is read.
bool ReadXliff(ByteSource& input, const UnitSink& sink, TranslatedFormat& format,
               ReadError& error);

} // namespace exchange
