// lexarium-tool convert: any version of a text resource file in, the current
// version out, as the editor saves it.

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "model/TextResourceFormat.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"

namespace {

int RunConvert(const InOutArguments& arguments) {
    const char* input = arguments.input.c_str();
    const char* output = arguments.output.c_str();
    // One pass: each entry is written into memory as it is read, for the
    // header, which comes first, counts the entries that only the end of the
    // file tells. The input is closed before the output is written, so a file
    // converted onto itself is read whole first.
    DamageRefusal damage(arguments.input, arguments.acceptDamage);
    tsMemoryStream records;
    std::uint32_t count = 0;
    {
        StreamedFile file;
        if (!file.Open(input, &damage.Report()))
            return 1;
        // A current file's records take as many bytes again; older ones a few more.
        records.Reserve(FileSize(input));
        ReadEntries(file, damage,
                    [&](std::uint32_t, TextResourceEntry& entry) { entry.Write(records); });
        count = file.Reader().EntriesRead();
    }
    if (!damage.Allows())
        return 1;
    // A damaged file converted onto itself keeps its original bytes in the
    // backups folder.
    const bool keepOldContent = !damage.Report().LoadedWhole() && IsSameFile(input, output);
    return Save(
        output,
        [&](tsOutputStream& stream) {
            std::int32_t result = trs::WriteHeader(stream, count);
            if (tsSucceeded(result))
                result = WriteAll(stream, records.Data().data(), records.Data().size());
            return result;
        },
        keepOldContent);
}

} // namespace

void AddConvertCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<InOutArguments>(
        "convert", "IN OUT [--accept-damage]", "save IN as a current .trs file OUT", RunConvert);
    AddInOut(command, arguments, "the text resource file, of any version", "the file written");
    AddAcceptDamage(command, arguments.acceptDamage);
}
