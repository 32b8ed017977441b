#pragma once

// The main() of every benchmark program: headless Qt, and memory handled as the program does.

#include "platform/memory_tuning.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#define CAMVISTA_BENCHMARK_MAIN()                                                                  \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        camvista::keepFreedPictureMemory();                                                        \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        QApplication app(argc, argv);                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
