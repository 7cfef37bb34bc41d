// lexarium-tool text: the editor's plain-text export, byte for byte, written
// as IN is read unless IN is its own output.

#include "CommandLine.h"
#include "DamageRefusal.h"
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

int RunText(const InOutArguments& arguments) {
    const char* input = arguments.input.c_str();
    const char* output = arguments.output.c_str();
    DamageRefusal damage(arguments.input, arguments.acceptDamage);
    if (IsSameFile(input, output)) {
        // Its own output: loaded whole before it is replaced.
        TextResourceObject object;
        if (!Load(input, object, &damage.Report()) || !damage.Allows(object))
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
    if (!file.Open(input, &damage.Report()))
        return 1;
    return Save(output, [&](tsOutputStream& out) {
        std::int32_t result = S_OK;
        TextExportWriter writer(SinkInto(out, result));
        TextResourceReader& reader = file.Reader();
        TextResourceEntry entry;
        while (reader.ReadEntry(entry) && writer.Add(entry))
            damage.Add(reader.EntriesRead() - 1, entry);
        if (!writer.Finish())
            return result;
        // Damage is known only at the end: the save is abandoned then.
        reader.Finish();
        return damage.Allows() ? result : E_ABORT;
    });
}

} // namespace

void AddTextCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<InOutArguments>(
        "text", "IN OUT [--accept-damage]", "the plain-text export of IN, as the editor writes it",
        RunText);
    AddInOut(command, arguments, "the text resource file", "the text file written");
    AddAcceptDamage(command, arguments.acceptDamage);
}
