#pragma once
// The main of a benchmark that drives the windows: offscreen (unless a platform is
// set), with the three windows created as at start, then `prepare`, then the runs.
#include "Forms.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <functional>

inline int runWindowBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CreateForms();
    if (prepare) prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
