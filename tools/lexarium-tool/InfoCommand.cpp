// lexarium-tool info: the version, entries, words and characters of a file,
// read entry by entry: the figures need one entry at a time, not the whole file.

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "model/CountWords.h"

#include <cstdio>

namespace {

struct InfoArguments {
    std::string file;
    bool acceptDamage = false;
};

int RunInfo(const InfoArguments& arguments) {
    DamageRefusal damage(arguments.file, arguments.acceptDamage);
    StreamedFile input;
    if (!input.Open(arguments.file.c_str(), &damage.Report()))
        return 1;
    std::uint64_t words = 0;
    std::uint64_t characters = 0;
    ReadEntries(input, damage, [&](std::uint32_t, TextResourceEntry& entry) {
        words += static_cast<std::uint64_t>(CountWords(entry.text));
        characters += entry.text.size();
    });
    const TextResourceReader& reader = input.Reader();
    // The figures read are printed also when the file is refused.
    std::printf("version: %u\nentries: %u\nwords: %llu\ncharacters: %llu\n",
                static_cast<unsigned>(reader.Version()),
                static_cast<unsigned>(reader.EntriesRead()), static_cast<unsigned long long>(words),
                static_cast<unsigned long long>(characters));
    std::fflush(stdout);
    return damage.Allows() ? 0 : 1;
}

} // namespace

void AddInfoCommand(CommandLine& line) {
    auto [command, arguments] = line.AddCommandWith<InfoArguments>(
        "info", "FILE [--accept-damage]", "version, entries, words and characters", RunInfo);
    AddOperand(command, "FILE", arguments.file, "the text resource file");
    AddAcceptDamage(command, arguments.acceptDamage);
}
