// lexarium-tool: the text resource files from the command line, for build
// pipelines and recording sessions.

#include "ToolCommands.h"
#include "support/tsTraceEnvironment.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: lexarium-tool info FILE        version, entries, words and characters\n"
    "       lexarium-tool convert IN OUT   save IN as a current .trs file OUT\n"
    "       lexarium-tool xml IN OUT       export the texts of IN as XML to OUT\n"
    "       lexarium-tool text IN OUT      the plain-text export of IN, as the editor writes it\n"
    "       lexarium-tool check IN [--audio FOLDER] [--json]\n"
    "                                      find what would break a build or a recording\n"
    "                                      session; exit status 3 with findings\n"
    "       lexarium-tool script IN OUT [--audio FOLDER] [--speaker NAME]\n"
    "                                      the recording script as CSV, by speaker\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// The words after the command: positional ones and the options the command
// takes, each at most once. "--" ends the options.
struct Arguments {
    std::vector<const char*> positional;
    std::map<std::string, const char*> options; // a flag's value is ""

    bool Parse(int argc, char** argv, const std::map<std::string, bool>& known) {
        bool optionsEnded = false;
        for (int i = 2; i < argc; ++i) {
            const std::string word = argv[i];
            if (optionsEnded || word.rfind("--", 0) != 0 || word == "-") {
                positional.push_back(argv[i]);
                continue;
            }
            if (word == "--") {
                optionsEnded = true;
                continue;
            }
            auto option = known.find(word);
            if (option == known.end() || options.count(word) != 0)
                return false;
            if (!option->second) {
                options[word] = "";
                continue;
            }
            if (i + 1 >= argc)
                return false;
            options[word] = argv[++i];
        }
        return true;
    }

    const char* Option(const std::string& name) const {
        auto it = options.find(name);
        return it == options.end() ? nullptr : it->second;
    }
};

} // namespace

int main(int argc, char** argv) {
    tsAttachTraceFromEnvironment();
#ifdef SIGXFSZ
    // A file-size limit fails the write, which the save undoes, instead of
    // ending the tool in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    Arguments arguments;
    if (command == "check") {
        if (!arguments.Parse(argc, argv, {{"--audio", true}, {"--json", false}}) ||
            arguments.positional.size() != 1)
            return Usage();
        return RunCheck(arguments.positional[0], arguments.Option("--audio"),
                        arguments.Option("--json") != nullptr);
    }
    if (command == "script") {
        if (!arguments.Parse(argc, argv, {{"--audio", true}, {"--speaker", true}}) ||
            arguments.positional.size() != 2)
            return Usage();
        return RunScript(arguments.positional[0], arguments.positional[1],
                         arguments.Option("--audio"), arguments.Option("--speaker"));
    }
    if (!arguments.Parse(argc, argv, {}))
        return Usage();
    const auto& files = arguments.positional;
    if (command == "info" && files.size() == 1)
        return RunInfo(files[0]);
    if (command == "convert" && files.size() == 2)
        return RunConvert(files[0], files[1]);
    if (command == "xml" && files.size() == 2)
        return RunXml(files[0], files[1]);
    if (command == "text" && files.size() == 2)
        return RunText(files[0], files[1]);
    return Usage();
}
