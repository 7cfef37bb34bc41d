// Reads arbitrary bytes as a translated file (XLIFF 1.2, XLIFF 2.0 or CSV, as
// an import recognises them) and imports its units into a small current
// file: nothing may crash, no unit may hold more than the reader's limit, and
// the file written must read back as a whole file with the same entries.

#include "exchange/Importer.h"
#include "exchange/TranslatedReader.h"
#include "model/TextResourceObject.h"
#include "support/tsMemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::string CurrentBytes() {
    TextResourceObject object;
    const char* identifiers[] = {"A", "B", "M01_INTRO", "x"};
    const char* texts[] = {"Alpha", "One\r\nTwo", "Eins\nZwei", ""};
    for (std::uint32_t i = 0; i < 4; ++i) {
        TextResourceEntry entry;
        entry.id = i + 1;
        entry.identifier = identifiers[i];
        entry.text = texts[i];
        object.AddEntry(entry);
    }
    tsMemoryStream out;
    object.Write(out);
    return out.Data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string current = CurrentBytes();
    exchange::CurrentFile file;
    std::string reason;
    if (!file.Take(current, reason))
        std::abort();
    exchange::ImportOptions options;
    options.allStates = size % 2 == 0;
    options.force = size % 3 == 0;
    exchange::Importer importer(file, options);

    exchange::ByteSource input;
    input.Take(std::string(reinterpret_cast<const char*>(data), size));
    exchange::TranslatedFormat format = exchange::TranslatedFormat::Csv;
    exchange::ReadError error;
    const bool read = exchange::ReadTranslated(
        input,
        [&](exchange::TranslatedUnit& unit) {
            if (unit.source.size() > exchange::kMaxUnitText ||
                unit.target.size() > exchange::kMaxUnitText)
                std::abort();
            importer.Add(unit);
        },
        format, error);
    if (!read)
        return 0;
    importer.Finish();

    tsMemoryStream written;
    file.Write(written, importer.Changes());
    exchange::CurrentFile again;
    if (!again.Take(written.Data(), reason) || again.Count() != file.Count())
        std::abort();
    return 0;
}
