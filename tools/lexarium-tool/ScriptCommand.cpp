// lexarium-tool script: the recording script as CSV, grouped by speaker, and
// the figures of each speaker on standard output.

#include "CommandLine.h"
#include "DamageRefusal.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "audio/AudioLookup.h"
#include "check/OutputText.h"
#include "model/CountWords.h"
#include "model/TextExport.h"
#include "support/tsResult.h"

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct ScriptArguments {
    std::string input;
    std::string output;
    std::optional<std::string> folder;
    std::optional<std::string> speaker;
    bool acceptDamage = false;
};

struct Takes {
    bool recording = false;
    bool female = false;
};

struct Speaker {
    std::string name;
    std::vector<std::uint32_t> positions;
    std::uint64_t words = 0;
    std::uint64_t characters = 0;
    std::uint64_t lengthMs = 0;
    std::uint32_t missing = 0;
};

// The speakers of the entries with a recording, in order of first appearance.
std::vector<Speaker> GroupBySpeaker(const TextResourceObject& object, const char* only) {
    std::vector<Speaker> speakers;
    std::map<std::string, std::size_t> index;
    for (std::uint32_t p = 0; p < object.GetEntryCount(); ++p) {
        const TextResourceEntry& entry = *object.GetEntry(p);
        if (!HasAudioFile(entry) || (only != nullptr && entry.speaker != only))
            continue;
        auto [it, added] = index.try_emplace(entry.speaker, speakers.size());
        if (added)
            speakers.push_back(Speaker{entry.speaker, {}});
        speakers[it->second].positions.push_back(p);
    }
    return speakers;
}

std::string Csv(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += check::CsvField(fields[i]);
    }
    return line + "\r\n";
}

int RunScript(const ScriptArguments& arguments) {
    const char* output = arguments.output.c_str();
    const char* folder = arguments.folder ? arguments.folder->c_str() : nullptr;
    const char* speaker = arguments.speaker ? arguments.speaker->c_str() : nullptr;
    if (folder != nullptr && !CheckReadableFolder(folder))
        return 1;
    DamageRefusal damage(arguments.input, arguments.acceptDamage);
    TextResourceObject object;
    if (!Load(arguments.input.c_str(), object, &damage.Report()) || !damage.Allows(object))
        return 1;
    std::vector<Speaker> speakers = GroupBySpeaker(object, speaker);

    // Looked up in collection order, as the audio test panel steps through them.
    std::vector<Takes> takes;
    if (folder != nullptr) {
        takes.resize(object.GetEntryCount());
        std::vector<bool> listed(object.GetEntryCount());
        for (const Speaker& group : speakers)
            for (std::uint32_t p : group.positions)
                listed[p] = true;
        audio::AudioLocator locator(true);
        std::string missionFolder = folder;
        for (std::uint32_t p = 0; p < object.GetEntryCount(); ++p) {
            if (!listed[p])
                continue;
            const TextResourceEntry& entry = *object.GetEntry(p);
            for (const bool female : {false, true}) {
                const audio::AudioLookupResult take =
                    locator.FindRecording(missionFolder, entry, female);
                if (take.folderRepaired)
                    missionFolder = take.repairedFolder;
                (female ? takes[p].female : takes[p].recording) = take.Found();
            }
        }
    }

    std::vector<std::string> header = {"speaker", "id",      "identifier", "audio file",
                                       "text",    "comment", "length ms"};
    if (folder != nullptr) {
        header.push_back("recording");
        header.push_back("female take");
    }
    const int saved = Save(output, [&](tsOutputStream& out) {
        std::string text = Csv(header);
        for (Speaker& group : speakers) {
            for (std::uint32_t p : group.positions) {
                const TextResourceEntry& entry = *object.GetEntry(p);
                std::vector<std::string> row = {entry.speaker,
                                                std::to_string(entry.id),
                                                entry.identifier,
                                                entry.audioFile,
                                                entry.text,
                                                entry.comment,
                                                std::to_string(entry.lengthMs)};
                if (folder != nullptr) {
                    row.push_back(takes[p].recording ? "yes" : "no");
                    row.push_back(takes[p].female ? "yes" : "no");
                }
                text += Csv(row);
                if (text.size() >= (1u << 20)) {
                    std::int32_t result = WriteAll(out, text.data(), text.size());
                    if (tsFailed(result))
                        return result;
                    text.clear();
                }
            }
        }
        return WriteAll(out, text.data(), text.size());
    });
    if (saved != 0)
        return saved;

    if (speaker != nullptr && speakers.empty())
        std::fprintf(stderr, "No entry with a recording has the speaker %s.\n", speaker);
    std::printf(folder != nullptr ? "speaker\tlines\twords\tcharacters\tminutes\tmissing\n"
                                  : "speaker\tlines\twords\tcharacters\tminutes\n");
    for (Speaker& group : speakers) {
        for (std::uint32_t p : group.positions) {
            const TextResourceEntry& entry = *object.GetEntry(p);
            group.words += static_cast<std::uint64_t>(CountWords(entry.text));
            group.characters += entry.text.size();
            group.lengthMs += entry.lengthMs;
            if (folder != nullptr && !takes[p].recording)
                ++group.missing;
        }
        std::printf("%s\t%zu\t%llu\t%llu\t%.2f", check::LineField(group.name).c_str(),
                    group.positions.size(), static_cast<unsigned long long>(group.words),
                    static_cast<unsigned long long>(group.characters),
                    static_cast<double>(group.lengthMs) / 60000.0);
        if (folder != nullptr)
            std::printf("\t%u", static_cast<unsigned>(group.missing));
        std::printf("\n");
    }
    return 0;
}

} // namespace

void AddScriptCommand(CommandLine& line) {
    auto arguments = std::make_shared<ScriptArguments>();
    CLI::App& command = line.AddCommand(
        "script", "IN OUT [--audio FOLDER] [--speaker NAME] [--accept-damage]",
        "the recording script as CSV, by speaker", [arguments] { return RunScript(*arguments); });
    AddOperand(command, "IN", arguments->input, "the text resource file");
    AddOperand(command, "OUT", arguments->output, "the CSV file written");
    AddValueOption(command, "--audio", "FOLDER", arguments->folder,
                   "tell whether each recording and female take is under FOLDER");
    AddValueOption(command, "--speaker", "NAME", arguments->speaker, "only the lines of NAME");
    AddAcceptDamage(command, arguments->acceptDamage);
}
