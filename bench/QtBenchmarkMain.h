// main() for a benchmark program that paints: the Qt application first, on the
// offscreen platform unless another is asked for.
#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>

namespace tremolux::bench {

template <class Application>
int RunQtBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tremolux::bench
