#include "exchange/TranslatedReader.h"

#include "exchange/ByteSource.h"
#include "exchange/CsvReader.h"
#include "exchange/XliffReader.h"

namespace exchange {

namespace {

bool LooksLikeXml(const std::string& start) {
    std::size_t i = start.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    // UTF-16 with its byte-order mark: libxml2 reads it.
    if (start.size() >= 4 && (start.compare(0, 4, std::string("\xFF\xFE<\0", 4)) == 0 ||
                              start.compare(0, 4, std::string("\xFE\xFF\0<", 4)) == 0))
        return true;
    while (i < start.size() && (start[i] == ' ' || start[i] == '\t' || start[i] == '\r' ||
                                start[i] == '\n'))
        ++i;
    return i < start.size() && start[i] == '<';
}

} // namespace

const char* FormatName(TranslatedFormat format) {
    switch (format) {
    case TranslatedFormat::Xliff12:
        return "XLIFF 1.2";
    case TranslatedFormat::Xliff20:
        return "XLIFF 2.0";
    case TranslatedFormat::Csv:
        break;
    }
    return "CSV";
}

bool ReadTranslated(const std::string& path, const UnitSink& sink, TranslatedFormat& format,
                    ReadError& error) {
    ByteSource input;
    std::string reason;
    if (!input.Open(path, reason)) {
        error.message = "cannot be opened: " + reason;
        return false;
    }
    return ReadTranslated(input, sink, format, error);
}

bool ReadTranslated(ByteSource& input, const UnitSink& sink, TranslatedFormat& format,
                    ReadError& error) {
    if (LooksLikeXml(input.Peek(4096)))
        return ReadXliff(input, sink, format, error);
    format = TranslatedFormat::Csv;
    return ReadCsv(input, sink, error);
}

} // namespace exchange
