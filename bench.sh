#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; arguments go to each benchmark.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DGARABIX_TESTS=OFF -DGARABIX_BENCH=ON
cmake --build build/bench -j2
for b in build/bench/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    QT_QPA_PLATFORM=offscreen "$b" "$@"
done
