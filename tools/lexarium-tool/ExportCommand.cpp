// lexarium-tool export: a text resource file for translators, as XLIFF 1.2,
// XLIFF 2.0 or CSV. IN is streamed; a reference is held whole, matched by
// identifier.

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "audio/AudioLookup.h"
#include "check/AudioFacts.h"
#include "exchange/Exporter.h"
#include "platform/PathParts.h"
#include "support/tsResult.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct ExportArguments : InOutArguments {
    std::optional<std::string> format;
    std::optional<std::string> reference;
    std::optional<std::string> sourceLanguage;
    std::optional<std::string> targetLanguage;
    std::optional<std::string> audio;
    std::optional<std::string> maxCps;
    bool bom = false;
};

// At most this many entries are named for each kind of note; then a count.
constexpr std::size_t kNamed = 20;

void PrintNotes(const char* heading, const std::vector<exchange::ExportNote>& notes) {
    if (notes.empty())
        return;
    std::fprintf(stderr, "%s\n", heading);
    for (std::size_t i = 0; i < notes.size() && i < kNamed; ++i)
        std::fprintf(stderr, "  position %u, \"%s\": %s\n", notes[i].position,
                     notes[i].identifier.c_str(), notes[i].detail.c_str());
    if (notes.size() > kNamed)
        std::fprintf(stderr, "  and %zu more\n", notes.size() - kNamed);
}

exchange::ExchangeFormat FormatOf(const std::string& name) {
    if (name == "xliff2")
        return exchange::ExchangeFormat::Xliff20;
    if (name == "csv")
        return exchange::ExchangeFormat::Csv;
    return exchange::ExchangeFormat::Xliff12;
}

int RunExport(const ExportArguments& arguments) {
    const char* input = arguments.input.c_str();
    const char* output = arguments.output.c_str();
    const exchange::ExchangeFormat format = FormatOf(arguments.format.value_or("xliff"));
    if (arguments.bom && format != exchange::ExchangeFormat::Csv) {
        std::fprintf(stderr, "lexarium-tool export: --bom is for --format csv only\n");
        return 2;
    }
    for (const auto& other : {std::optional<std::string>(arguments.input), arguments.reference}) {
        if (other && IsSameFile(other->c_str(), output)) {
            std::fprintf(stderr,
                         "%s is an input: the export would replace it. Nothing was written.\n",
                         output);
            return 1;
        }
    }
    if (arguments.audio && !CheckReadableFolder(arguments.audio->c_str()))
        return 1;

    exchange::ExportOptions options;
    options.format = format;
    options.header.original = platform::NameOf(arguments.input);
    options.header.sourceLanguage = arguments.sourceLanguage.value_or("en");
    options.header.targetLanguage = arguments.targetLanguage.value_or("de");
    options.header.byteOrderMark = arguments.bom;
    if (arguments.maxCps) {
        options.maxCps = std::strtod(arguments.maxCps->c_str(), nullptr);
        options.header.lengthLimits = true;
    }
    // Said each time, so that a wrong default shows.
    std::fprintf(stderr, "source language: %s, target language: %s\n",
                 options.header.sourceLanguage.c_str(), options.header.targetLanguage.c_str());

    TextResourceObject reference;
    if (arguments.reference) {
        if (!LoadAllowed(*arguments.reference, arguments.acceptDamage, reference))
            return 1;
        options.reference = &reference;
    }
    audio::AudioLocator locator(true);
    std::string folder = arguments.audio.value_or("");
    if (arguments.audio && options.maxCps) {
        options.recordingMs = [&](const TextResourceEntry& entry) -> std::optional<double> {
            const audio::AudioLookupResult found = locator.FindRecording(folder, entry, false);
            if (!found.Found())
                return std::nullopt;
            const check::AudioFacts facts = check::ReadAudioFacts(found.path);
            return facts.HasLength() ? std::optional<double>(facts.LengthMs()) : std::nullopt;
        };
    }

    DamageRefusal damage(arguments.input, arguments.acceptDamage);
    StreamedFile file;
    if (!file.Open(input, &damage.Report()))
        return 1;
    std::vector<exchange::ExportNote> notInReference;
    std::vector<exchange::ExportNote> overLimit;
    const int status = Save(output, [&](tsOutputStream& stream) {
        // Made and ended here: it writes to the stream of this save only.
        auto exporter = std::make_unique<exchange::Exporter>(options, stream);
        std::int32_t result = exporter->Begin();
        TextResourceReader& reader = file.Reader();
        TextResourceEntry entry;
        while (tsSucceeded(result) && reader.ReadEntry(entry)) {
            const std::uint32_t position = reader.EntriesRead() - 1;
            damage.Add(position, entry);
            exporter->Add(position, entry);
        }
        reader.Finish();
        if (!damage.Allows())
            return E_ABORT;
        result = exporter->Finish();
        if (result == E_ABORT) {
            PrintNotes((arguments.input + ": the export is refused; nothing was written:").c_str(),
                       exporter->Refusals());
        }
        notInReference = exporter->NotInReference();
        overLimit = exporter->OverLimit();
        return result;
    });
    if (status == 0) {
        PrintNotes(("Not in " + arguments.reference.value_or("") +
                    ", exported with their own text as the source:")
                       .c_str(),
                   notInReference);
        PrintNotes("Already longer than their recordings allow:", overLimit);
    }
    return status;
}

// A BCP 47 tag as far as its form goes: letters, digits and hyphens, a
// primary subtag of 2 to 8 letters, subtags of 1 to 8.
std::string CheckLanguageTag(const std::string& tag) {
    std::size_t start = 0;
    bool first = true;
    for (;;) {
        const std::size_t end = std::min(tag.find('-', start), tag.size());
        const std::string_view part = std::string_view(tag).substr(start, end - start);
        bool ok = part.size() >= (first ? 2u : 1u) && part.size() <= 8;
        for (char c : part)
            ok = ok && (std::isalpha(static_cast<unsigned char>(c)) ||
                        (!first && std::isdigit(static_cast<unsigned char>(c))));
        if (!ok)
            return "\"" + tag + "\" is not a BCP 47 language tag (such as en, de, pt-BR)";
        if (end == tag.size())
            return {};
        start = end + 1;
        first = false;
    }
}

} // namespace

void AddExportCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<ExportArguments>(
        "export",
        "IN OUT --format xliff|xliff2|csv [--reference REF] [--source-language TAG] "
        "[--target-language TAG] [--audio FOLDER] [--max-cps N] [--bom] [--accept-damage]",
        "the entries for translators: XLIFF 1.2, XLIFF 2.0 or CSV", RunExport);
    AddInOut(command, arguments, "the text resource file", "the file written");
    AddValueOption(command, "--format", "xliff|xliff2|csv", arguments.format,
                   "xliff (XLIFF 1.2), xliff2 (XLIFF 2.0) or csv")
        ->required()
        ->check(CLI::IsMember({"xliff", "xliff2", "csv"}).description(""));
    AddValueOption(command, "--reference", "REF", arguments.reference,
                   "the source language's file: its texts are the sources, matched by identifier");
    // Validators without a description, so that the usage names only the value.
    const CLI::Validator tag(CheckLanguageTag, "");
    AddValueOption(command, "--source-language", "TAG", arguments.sourceLanguage,
                   "the source language as a BCP 47 tag (default en)")
        ->check(tag);
    AddValueOption(command, "--target-language", "TAG", arguments.targetLanguage,
                   "the target language as a BCP 47 tag (default de)")
        ->check(tag);
    AddValueOption(command, "--audio", "FOLDER", arguments.audio,
                   "with --max-cps: the lengths of the recordings found under FOLDER");
    AddValueOption(command, "--max-cps", "N", arguments.maxCps,
                   "limit each target to its recording's seconds times N characters")
        ->check(CLI::Validator(CLI::PositiveNumber).description(""));
    AddFlag(command, "--bom", arguments.bom, "csv: a byte-order mark first, for spreadsheets");
    AddAcceptDamage(command, arguments.acceptDamage);
}
