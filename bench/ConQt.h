// The main of a benchmark that measures windows: an offscreen QApplication around Google Benchmark.
#pragma once

#include <QApplication>
#include <QByteArray>

#include <benchmark/benchmark.h>

#include <functional>

namespace banco {

// `prepara` builds what the benchmarks measure and says whether there is anything to measure;
// `chiudi` releases it before the application goes.
inline int eseguiConQt(int argc, char** argv, const std::function<bool()>& prepara, const std::function<void()>& chiudi)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication applicazione(argc, argv);
    if (!prepara())
        return 0;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    chiudi();
    return 0;
}

}
