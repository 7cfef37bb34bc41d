// The editor's entry point.

#include "LexariumApp.h"
#include "support/tsTraceEnvironment.h"

namespace {
CLexariumApp theApp;
}

int main(int argc, char** argv) {
    // LEXARIUM_TRACE names a file (or "-") that receives the trace lines.
    tsAttachTraceFromEnvironment();
    return AfxWinMain(theApp, argc, argv);
}
