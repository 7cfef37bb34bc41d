// lexarium-tool import: translated units (XLIFF 1.2, XLIFF 2.0 or our CSV)
// back into a text resource file. IN is held as its bytes and written back
// with only the imported texts changed; TRANSLATED is streamed.

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "check/OutputText.h"
#include "exchange/Importer.h"
#include "exchange/TranslatedReader.h"
#include "support/tsResult.h"

#include <cstdio>

namespace {

struct ImportArguments {
    std::string input;
    std::string translated;
    std::string output;
    std::optional<std::string> reference;
    bool allStates = false;
    bool force = false;
    bool acceptDamage = false;
};

// The whole file, read under the share lock a load takes; false after the
// message when it cannot be read.
bool ReadWhole(const char* path, std::string& bytes) {
    tsFileStream stream;
    std::int32_t result = stream.Open(path, TS_OPEN_READ);
    if (tsSucceeded(result)) {
        bytes.resize(FileSize(path));
        std::size_t done = 0;
        while (done < bytes.size() && tsSucceeded(result)) {
            const std::size_t piece = std::min<std::size_t>(bytes.size() - done, 1u << 30);
            result = stream.Read(bytes.data() + done, static_cast<std::uint32_t>(piece));
            done += piece;
        }
    }
    if (tsFailed(result)) {
        ReportLoadFailure();
        return false;
    }
    return true;
}

void PrintCount(std::string& out, const char* kind, std::uint64_t count) {
    out += kind;
    out += '\t';
    out += std::to_string(count);
    out += '\n';
}

int RunImport(const ImportArguments& arguments) {
    const char* input = arguments.input.c_str();
    const char* output = arguments.output.c_str();
    for (const auto& other :
         {std::optional<std::string>(arguments.translated), arguments.reference}) {
        if (other && IsSameFile(other->c_str(), output)) {
            std::fprintf(stderr,
                         "%s is an input that is not a text resource file to change. "
                         "Nothing was written.\n",
                         output);
            return 1;
        }
    }
    exchange::CurrentFile file;
    {
        std::string bytes;
        if (!ReadWhole(input, bytes))
            return 1;
        std::string reason;
        if (!file.Take(std::move(bytes), reason)) {
            std::fprintf(stderr,
                         "%s cannot be imported into: %s. An import changes only texts of a "
                         "current, whole file; convert it first (lexarium-tool convert). Nothing "
                         "was written.\n",
                         input, reason.c_str());
            return 1;
        }
    }
    if (!file.Duplicates().empty()) {
        std::fprintf(stderr,
                     "%s holds identifiers more than once; a unit could not tell its "
                     "entry. Nothing was written:\n",
                     input);
        for (const auto& [position, first] : file.Duplicates())
            std::fprintf(stderr, "  position %u, \"%s\": the same identifier as position %u\n",
                         position, std::string(file.Identifier(position)).c_str(), first);
        return 1;
    }

    exchange::ImportOptions options;
    options.allStates = arguments.allStates;
    options.force = arguments.force;
    TextResourceObject reference;
    if (arguments.reference) {
        if (!LoadAllowed(*arguments.reference, arguments.acceptDamage, reference))
            return 1;
        options.reference = &reference;
    }

    exchange::Importer importer(file, options);
    exchange::TranslatedFormat format = exchange::TranslatedFormat::Csv;
    exchange::ReadError error;
    if (!exchange::ReadTranslated(
            arguments.translated, [&](exchange::TranslatedUnit& unit) { importer.Add(unit); },
            format, error)) {
        std::string where;
        if (error.line > 0)
            where = "line " + std::to_string(error.line) + ", column " +
                    std::to_string(error.column) + ": ";
        std::fprintf(stderr, "%s cannot be read: %s%s. Nothing was written.\n",
                     arguments.translated.c_str(), where.c_str(), error.message.c_str());
        return 1;
    }
    importer.Finish();

    const int saved = Save(
        output, [&](tsOutputStream& stream) { return file.Write(stream, importer.Changes()); });
    if (saved != 0)
        return saved;

    std::string text;
    for (const exchange::ImportEvent& event : importer.Events()) {
        text += event.kind;
        text += '\t';
        text += check::LineField(event.identifier);
        text += '\t';
        text += check::LineField(event.detail);
        text += '\n';
    }
    const exchange::ImportCounts& counts = importer.Counts();
    PrintCount(text, "applied", counts.applied);
    PrintCount(text, "unchanged", counts.unchanged);
    PrintCount(text, "skipped-state", counts.skippedState);
    PrintCount(text, "conflict", counts.conflict);
    PrintCount(text, "unknown-unit", counts.unknownUnit);
    PrintCount(text, "no-unit", counts.noUnit);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fprintf(stderr, "%s read as %s\n", arguments.translated.c_str(),
                 exchange::FormatName(format));
    return importer.HasTrouble() ? 3 : 0;
}

} // namespace

void AddImportCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<ImportArguments>(
        "import", "IN TRANSLATED OUT [--reference REF] [--all-states] [--force] [--accept-damage]",
        "the translated texts of an export back in; exit\nstatus 3 with conflicts or unknown units",
        RunImport);
    AddOperand(command, "IN", arguments.input, "the current text resource file");
    AddOperand(command, "TRANSLATED", arguments.translated,
               "XLIFF 1.2, XLIFF 2.0 or CSV, known by its content");
    AddOperand(command, "OUT", arguments.output, "IN with the translated texts");
    AddValueOption(command, "--reference", "REF", arguments.reference,
                   "the reference of the export: its texts are the current sources");
    AddFlag(command, "--all-states", arguments.allStates,
            "take every target that is not empty, whatever its state");
    AddFlag(command, "--force", arguments.force,
            "apply units whose source changed since the export");
    // IN itself must be whole; only a damaged reference may be taken as read.
    AddFlag(command, "--accept-damage", arguments.acceptDamage,
            "go on with what could be read of a damaged REF");
}
