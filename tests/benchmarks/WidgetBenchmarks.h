#pragma once

// The main of a benchmark that shows windows: Qt's offscreen platform, so
// no display is needed and nothing is drawn on the desktop.
#include <QApplication>

#include <benchmark/benchmark.h>

inline int RunWidgetBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
