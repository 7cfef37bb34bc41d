// lexarium-tool: the text resource files from the command line, for build pipelines.

#include "ToolCommands.h"
#include "support/tsTraceEnvironment.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "usage: lexarium-tool info FILE        version, entries, words and characters\n"
    "       lexarium-tool convert IN OUT   save IN as a current .trs file OUT\n"
    "       lexarium-tool xml IN OUT       export the texts of IN as XML to OUT\n";

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
    if (argc == 3 && std::strcmp(argv[1], "info") == 0)
        return RunInfo(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "convert") == 0)
        return RunConvert(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "xml") == 0)
        return RunXml(argv[2], argv[3]);
    std::fputs(kUsage, stderr);
    return 2;
}
