// lexarium-tool script: the recording script as CSV, grouped by speaker, and
// the figures of each speaker on standard output.
//
// The file is streamed twice and never held: the first pass notes where each
// listed entry's record starts (and the previous one's, for the actor's cue),
// by speaker; the second reads those records again by their offsets, speaker
// by speaker.

#include "CheckSettings.h"
#include "CommandLine.h"
#include "DamageRefusal.h"
#include "OnlyKinds.h"
#include "SpeakerFileNames.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "audio/AudioLookup.h"
#include "check/Checker.h"
#include "check/OutputText.h"
#include "model/CountWords.h"
#include "model/TextExport.h"
#include "model/TextResourceFormat.h"
#include "support/tsResult.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

struct ScriptArguments : InOutArguments {
    std::optional<std::string> folder;
    std::optional<std::string> speaker;
    std::optional<std::string> only;
    std::optional<std::string> split;
    CheckSettings settings;
};

// A listed entry: where its record and the one before it lie in the file.
struct Line {
    std::uint64_t previousStart = 0; // equal to `start` for the first entry
    std::uint64_t start = 0;
    std::uint64_t length = 0;
    std::uint32_t position = 0;
    bool recording = false;
    bool female = false;
};

struct Speaker {
    std::string name;
    std::deque<Line> lines; // a deque: growing never copies what it holds
    std::size_t selected = 0;
    std::uint64_t words = 0;
    std::uint64_t characters = 0;
    std::uint64_t lengthMs = 0;
    std::uint32_t missing = 0;
};

std::string Csv(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += check::CsvField(fields[i]);
    }
    return line + "\r\n";
}

// The records of a file read again by their offsets.
class Records {
public:
    explicit Records(const char* path) : m_fd(::open(path, O_RDONLY | O_CLOEXEC)) {}
    ~Records() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;

    bool Opened() const { return m_fd >= 0; }
    bool Unchanged(const struct stat& before) const {
        struct stat now {};
        return ::fstat(m_fd, &now) == 0 && now.st_size == before.st_size &&
               now.st_mtim.tv_sec == before.st_mtim.tv_sec &&
               now.st_mtim.tv_nsec == before.st_mtim.tv_nsec && now.st_ino == before.st_ino;
    }
    int Descriptor() const { return m_fd; }

    // The entry of lines[i] and the text of the one before it. One read
    // takes in the speaker's next lines as well, as far as they lie within a
    // window: most speakers' lines are close together.
    bool Read(const std::deque<Line>& lines, std::size_t i, std::uint32_t version,
              TextResourceEntry& entry, std::string& previousText) {
        const Line& line = lines[i];
        const std::uint64_t end = line.start + line.length;
        if (line.previousStart < m_windowStart || end > m_windowStart + m_window.size()) {
            std::uint64_t until = end;
            for (std::size_t j = i + 1; j < lines.size(); ++j) {
                const std::uint64_t next = lines[j].start + lines[j].length;
                if (next - line.previousStart > kWindow)
                    break;
                until = next;
            }
            if (!Fill(line.previousStart, until - line.previousStart))
                return false;
        }
        const char* at = m_window.data() + (line.previousStart - m_windowStart);
        previousText.clear();
        if (line.start > line.previousStart) {
            TextResourceReader::ReadRecord(std::string_view(at, line.start - line.previousStart),
                                           version, m_previous);
            previousText = m_previous.text;
        }
        TextResourceReader::ReadRecord(
            std::string_view(at + (line.start - line.previousStart), line.length), version, entry);
        return true;
    }

private:
    static constexpr std::uint64_t kWindow = 64 * 1024;

    bool Fill(std::uint64_t start, std::uint64_t size) {
        m_window.resize(size);
        m_windowStart = start;
        std::uint64_t done = 0;
        while (done < size) {
            const ssize_t got = ::pread(m_fd, m_window.data() + done, size - done,
                                        static_cast<off_t>(start + done));
            if (got <= 0) {
                m_window.clear();
                return false;
            }
            done += static_cast<std::uint64_t>(got);
        }
        return true;
    }

    int m_fd;
    std::string m_window; // the bytes from m_windowStart
    std::uint64_t m_windowStart = 0;
    TextResourceEntry m_previous;
};

// Writes the rows of one speaker to `sinks`, in pieces.
std::int32_t WriteRows(Speaker& group, Records& records, std::uint32_t version,
                       const std::vector<bool>* selected, bool withTakes,
                       const std::vector<tsOutputStream*>& sinks) {
    std::string text;
    TextResourceEntry entry;
    std::string previousText;
    auto flush = [&]() -> std::int32_t {
        for (tsOutputStream* sink : sinks) {
            const std::int32_t result = WriteAll(*sink, text.data(), text.size());
            if (tsFailed(result))
                return result;
        }
        text.clear();
        return 0;
    };
    for (std::size_t i = 0; i < group.lines.size(); ++i) {
        const Line& line = group.lines[i];
        if (selected != nullptr && !(*selected)[line.position])
            continue;
        if (!records.Read(group.lines, i, version, entry, previousText)) {
            std::fprintf(stderr, "Cannot read the file again: %s\n", std::strerror(errno));
            return E_ABORT;
        }
        // The row, field by field, straight into the buffer.
        const auto field = [&text](std::string_view value) {
            check::AppendCsvField(text, value);
            text += ',';
        };
        field(entry.speaker);
        text += std::to_string(entry.id) + ',';
        field(entry.identifier);
        field(entry.audioFile);
        field(entry.text);
        field(entry.comment);
        text += std::to_string(entry.lengthMs) + ',';
        if (withTakes)
            text += std::string(line.recording ? "yes," : "no,") + (line.female ? "yes," : "no,");
        field(entry.comment == kEmptyPlaceholder ? std::string_view() : entry.comment);
        check::AppendCsvField(text, previousText);
        text += "\r\n";
        group.words += static_cast<std::uint64_t>(CountWords(entry.text));
        group.characters += entry.text.size();
        group.lengthMs += entry.lengthMs;
        if (withTakes && !line.recording)
            ++group.missing;
        if (text.size() >= (1u << 20))
            if (const std::int32_t result = flush(); tsFailed(result))
                return result;
    }
    return flush();
}

int RunScript(const CommandLine& commandLine, const ScriptArguments& arguments) {
    const char* input = arguments.input.c_str();
    const char* output = arguments.output.c_str();
    const char* folder = arguments.folder ? arguments.folder->c_str() : nullptr;
    check::CheckOptions options;
    options.audioFolder = arguments.folder;
    if (std::string wrong = arguments.settings.Apply(options); !wrong.empty())
        return commandLine.UsageError("script", wrong);
    std::set<std::string> kinds;
    if (arguments.only)
        if (std::string wrong = ReadOnlyKinds(*arguments.only, options, kinds); !wrong.empty())
            return commandLine.UsageError("script", wrong);
    if (folder != nullptr && !CheckReadableFolder(folder))
        return 1;

    // The first pass: the listed entries by speaker, in order of first
    // appearance, and the findings that select them.
    DamageRefusal damage(arguments.input, arguments.acceptDamage);
    StreamedFile file;
    if (!file.Open(input, &damage.Report()))
        return 1;
    struct stat before {};
    ::stat(input, &before);
    TextResourceReader& reader = file.Reader();
    std::optional<check::Checker> checker;
    if (arguments.only) {
        std::uint64_t expected = std::min<std::uint64_t>(damage.Report().count, 1u << 24);
        if (const std::uint64_t size = FileSize(input); size > 0)
            expected = std::min(expected, size / 7);
        checker.emplace(options, &damage.Report(), static_cast<std::size_t>(expected));
    }
    std::vector<Speaker> speakers;
    std::unordered_map<std::string, std::size_t> index;
    audio::AudioLocator locator(true);
    std::string missionFolder = folder != nullptr ? folder : "";
    std::uint64_t previousStart = reader.Offset();
    TextResourceEntry entry;
    for (std::uint64_t start = reader.Offset(); reader.ReadEntry(entry); start = reader.Offset()) {
        const std::uint32_t position = reader.EntriesRead() - 1;
        if (checker)
            checker->Add(position, entry, damage.Report().problems);
        damage.Add(position, entry);
        const std::uint64_t end = reader.Offset();
        if (HasAudioFile(entry) && end > start &&
            (!arguments.speaker || entry.speaker == *arguments.speaker)) {
            auto [it, added] = index.try_emplace(entry.speaker, speakers.size());
            if (added)
                speakers.push_back(Speaker{entry.speaker, {}});
            Line line{previousStart, start, end - start, position, false, false};
            // Looked up in collection order, as the audio test panel steps through them.
            if (folder != nullptr) {
                for (const bool female : {false, true}) {
                    const audio::AudioLookupResult take =
                        locator.FindRecording(missionFolder, entry, female);
                    if (take.folderRepaired)
                        missionFolder = take.repairedFolder;
                    (female ? line.female : line.recording) = take.Found();
                }
            }
            speakers[it->second].lines.push_back(line);
        }
        previousStart = start;
    }
    reader.Finish();
    if (!damage.Allows())
        return 1;
    std::vector<bool> selected;
    if (checker) {
        selected.resize(reader.EntriesRead());
        for (const check::Finding& finding : checker->Finish())
            if (finding.OfEntry() && kinds.count(finding.kind) != 0)
                selected[finding.position] = true;
    }
    for (Speaker& group : speakers)
        group.selected = checker ? static_cast<std::size_t>(std::count_if(
                                       group.lines.begin(), group.lines.end(),
                                       [&](const Line& line) { return selected[line.position]; }))
                                 : group.lines.size();
    std::erase_if(speakers, [](const Speaker& group) { return group.selected == 0; });

    std::vector<std::string> header = {"speaker", "id",      "identifier", "audio file",
                                       "text",    "comment", "length ms"};
    if (folder != nullptr) {
        header.push_back("recording");
        header.push_back("female take");
    }
    header.push_back("direction");
    header.push_back("previous line");
    const std::string headerLine = Csv(header);

    std::vector<std::string> splitNames;
    if (arguments.split) {
        std::error_code error;
        std::filesystem::create_directories(*arguments.split, error);
        if (error || !std::filesystem::is_directory(*arguments.split)) {
            std::fprintf(stderr, "Cannot make the folder %s: %s\n", arguments.split->c_str(),
                         error ? error.message().c_str() : "not a folder");
            return 1;
        }
        std::vector<std::string> names;
        for (const Speaker& group : speakers)
            names.push_back(group.name);
        splitNames = SpeakerFileNames(names);
    }

    // The second pass, speaker by speaker.
    Records records(input);
    if (!records.Opened()) {
        std::fprintf(stderr, "Cannot read %s again: %s\n", input, std::strerror(errno));
        return 1;
    }
    const std::uint32_t version = reader.Version();
    const std::vector<bool>* filter = checker ? &selected : nullptr;
    std::string failedSplit;
    const int saved = Save(output, [&](tsOutputStream& out) -> std::int32_t {
        std::int32_t result = WriteAll(out, headerLine.data(), headerLine.size());
        for (std::size_t g = 0; g < speakers.size() && !tsFailed(result); ++g) {
            if (!arguments.split) {
                result =
                    WriteRows(speakers[g], records, version, filter, folder != nullptr, {&out});
                continue;
            }
            const std::string path =
                (std::filesystem::path(*arguments.split) / splitNames[g]).string();
            if (Save(path.c_str(), [&](tsOutputStream& part) -> std::int32_t {
                    const std::int32_t first = WriteAll(part, headerLine.data(), headerLine.size());
                    if (tsFailed(first))
                        return first;
                    result = WriteRows(speakers[g], records, version, filter, folder != nullptr,
                                       {&out, &part});
                    return result;
                }) != 0) {
                failedSplit = path;
                return E_ABORT;
            }
        }
        if (!tsFailed(result) && !records.Unchanged(before)) {
            std::fprintf(stderr, "%s changed while it was read; nothing is written.\n", input);
            return E_ABORT;
        }
        return result;
    });
    if (saved != 0) {
        if (!failedSplit.empty())
            std::fprintf(stderr, "%s is left as it was.\n", output);
        return saved;
    }

    if (arguments.speaker && speakers.empty())
        std::fprintf(stderr, "No entry with a recording has the speaker %s.\n",
                     arguments.speaker->c_str());
    std::printf(folder != nullptr ? "speaker\tlines\twords\tcharacters\tminutes\tmissing\n"
                                  : "speaker\tlines\twords\tcharacters\tminutes\n");
    for (const Speaker& group : speakers) {
        std::printf("%s\t%zu\t%llu\t%llu\t%.2f", check::LineField(group.name).c_str(),
                    group.selected, static_cast<unsigned long long>(group.words),
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
    auto [command, arguments] = line.AddCommandWith<ScriptArguments>(
        "script",
        "IN OUT [--audio FOLDER] [--speaker NAME] [--only KINDS] [--split FOLDER] "
        "[--accept-damage]",
        "the recording script as CSV, by speaker", RunScript);
    AddInOut(command, arguments, "the text resource file", "the CSV file written");
    AddValueOption(command, "--audio", "FOLDER", arguments.folder,
                   "tell whether each recording and female take is under FOLDER");
    AddValueOption(command, "--speaker", "NAME", arguments.speaker, "only the lines of NAME");
    AddValueOption(command, "--only", "KINDS", arguments.only,
                   "only lines with a finding of check of these kinds (a,b,...)");
    AddValueOption(command, "--split", "FOLDER", arguments.split,
                   "also one CSV per speaker in FOLDER");
    arguments.settings.AddTo(command);
    AddAcceptDamage(command, arguments.acceptDamage);
}
