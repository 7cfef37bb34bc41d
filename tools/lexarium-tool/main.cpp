// lexarium-tool: the text resource files from the command line, for build
// pipelines and recording sessions.

#include "CommandLine.h"
#include "ToolCommands.h"
#include "support/tsTraceEnvironment.h"

#include <csignal>

int main(int argc, char** argv) {
    tsAttachTraceFromEnvironment();
#ifdef SIGXFSZ
    // A file-size limit fails the write, which the save undoes, instead of
    // ending the tool in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    CommandLine line;
    AddInfoCommand(line);
    AddConvertCommand(line);
    AddXmlCommand(line);
    AddTextCommand(line);
    AddCheckCommand(line);
    AddScriptCommand(line);
    AddExportCommand(line);
    AddImportCommand(line);
    AddRecordCommand(line);
    AddLengthsCommand(line);
    return line.Run(argc, argv);
}
