// Reads arbitrary bytes as a text resource file, writes the result back and
// checks that what was written reads back to the same file; reading with a
// report must load the same, and the writer's own file has nothing to report.

#include "model/CountWords.h"
#include "model/TextResourceObject.h"
#include "support/tsMemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tsMemoryStream input(std::string_view(reinterpret_cast<const char*>(data), size));
    TextResourceObject object;
    object.Read(input);

    tsMemoryStream written;
    object.Write(written);

    TextResourceObject reported;
    TextResourceReadReport report;
    tsMemoryStream reportedInput(std::string_view(reinterpret_cast<const char*>(data), size));
    reported.Read(reportedInput, report);
    tsMemoryStream reportedWritten;
    reported.Write(reportedWritten);
    if (reportedWritten.Data() != written.Data() || report.entries != object.GetEntryCount())
        std::abort();

    TextResourceObject again;
    tsMemoryStream reread(written.Data());
    if (again.Read(reread) != 0 || again.GetEntryCount() != object.GetEntryCount())
        std::abort();
    tsMemoryStream rewritten;
    again.Write(rewritten);
    if (rewritten.Data() != written.Data())
        std::abort();
    TextResourceReadReport clean;
    TextResourceObject cleanObject;
    tsMemoryStream cleanInput(written.Data());
    cleanObject.Read(cleanInput, clean);
    if (!clean.LoadedWhole() || clean.MagicDiffers() || !clean.problems.empty() ||
        clean.trailingBytes != 0)
        std::abort();

    tsMemoryStream xml;
    object.WriteXml(xml);
    for (std::uint32_t i = 0; i < object.GetEntryCount(); ++i)
        CountWords(object.GetEntry(i)->text);
    return 0;
}
