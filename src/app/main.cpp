// The editor's entry point.

#include "InfoSwitches.h"
#include "LexariumApp.h"
#include "support/tsTraceEnvironment.h"

#include <csignal>
#include <iostream>

namespace {
CLexariumApp theApp;
}

int main(int argc, char** argv) {
    // --help and --version need no window, and no display either.
    if (const std::optional<int> status = RunInfoSwitch(argc, argv, std::cout))
        return *status;
    // LEXARIUM_TRACE names a file (or "-") that receives the trace lines.
    tsAttachTraceFromEnvironment();
#ifdef SIGXFSZ
    // A file-size limit fails the write (and the save puts the old content
    // back) instead of ending the program in the middle of a save.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    return AfxWinMain(theApp, argc, argv);
}
