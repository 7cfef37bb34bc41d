#pragma once

// Reads a translated file, XLIFF 1.2, XLIFF 2.0 or our CSV, recognised by its
// content (not its name): XML starts, after an optional byte-order mark and
// blanks, with "<"; anything else is read as CSV.

#include "exchange/ByteSource.h"
#include "exchange/TranslatedUnit.h"

#include <string>

namespace exchange {

// Gives each unit to `sink` as it is read. False, with the first error and
// where it is, when the file cannot be read whole; the units given before
// it are then to be dropped.
bool ReadTranslated(const std::string& path, const UnitSink& sink, TranslatedFormat& format,
                    ReadError& error);

// The same from a source already opened.
bool ReadTranslated(ByteSource& input, const UnitSink& sink, TranslatedFormat& format,
                    ReadError& error);

const char* FormatName(TranslatedFormat format);

} // namespace exchange
