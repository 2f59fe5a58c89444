#pragma once
// The main of a benchmark program that works inside the process: headless, with the toolkit
// alive for the whole run.
#include "platform/Toolkit.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunInProcessBenchmarks(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Toolkit toolkit;
    Toolkit::WaitForFontSetUp(); // the benchmarks change the environment it reads
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
