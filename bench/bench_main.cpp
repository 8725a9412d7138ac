// The shared entry of the benchmarks: a Qt application on the offscreen platform at 15 twips
// a pixel, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <clocale>

#include "platform/Screen.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    Screen::SetTwipsPerPixel(15, 15);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
