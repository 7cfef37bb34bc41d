// The main of the editor's benchmarks: the application started offscreen, as
// the editor starts, and then the benchmarks of the executable.

#include "LexariumApp.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    CLexariumApp app;
    app.InitApplication({});
    if (!app.InitInstance())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
