// The benchmarks' main: a Qt application (offscreen in ./bench.sh) around
// Google Benchmark's runner.

#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
