#pragma once

#include "exchange/ExportUnit.h"

namespace exchange {

// The columns of the CSV form, in order.
inline constexpr const char kCsvHeader[] =
    "identifier,id,speaker,comment,audio file,length ms,source,target";

std::unique_ptr<UnitWriter> MakeCsvWriter(const ExportHeader& header, tsOutputStream& out);

} // namespace exchange
