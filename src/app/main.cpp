// The editor's entry point.

#include "LexariumApp.h"
#include "support/tsTraceEnvironment.h"

#include <csignal>

namespace {
CLexariumApp theApp;
}

int main(int argc, char** argv) {
    // LEXARIUM_TRACE names a file (or "-") that receives the trace lines.
    tsAttachTraceFromEnvironment();
#ifdef SIGXFSZ
    // A file-size limit fails the write (and the save puts the old content
    // back) instead of ending the program in the middle of a save.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    return AfxWinMain(theApp, argc, argv);
}
