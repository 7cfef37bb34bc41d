// lexarium-tool text: the editor's plain-text export, byte for byte.

#include "ToolCommands.h"
#include "ToolFiles.h"
#include "model/TextExport.h"
#include "support/tsResult.h"

namespace {

// Hands the export's pieces to the output stream.
TextExportWriter::Sink SinkInto(tsOutputStream& out, std::int32_t& result) {
    return [&out, &result](const char* data, std::size_t size) {
        if (tsSucceeded(result))
            result = WriteAll(out, data, size);
        return tsSucceeded(result);
    };
}

} // namespace

int RunText(const char* input, const char* output) {
    if (IsSameFile(input, output)) {
        // Its own output: loaded whole before it is replaced.
        TextResourceObject object;
        if (!Load(input, object))
            return 1;
        return Save(output, [&](tsOutputStream& out) {
            std::int32_t result = S_OK;
            TextExportWriter writer(SinkInto(out, result));
            for (std::uint32_t p = 0; p < object.GetEntryCount() && writer.Add(*object.GetEntry(p));
                 ++p) {
            }
            writer.Finish();
            return result;
        });
    }
    StreamedFile file;
    if (!file.Open(input))
        return 1;
    return Save(output, [&](tsOutputStream& out) {
        std::int32_t result = S_OK;
        TextExportWriter writer(SinkInto(out, result));
        TextResourceEntry entry;
        while (file.Reader().ReadEntry(entry) && writer.Add(entry)) {
        }
        writer.Finish();
        return result;
    });
}
