#!/usr/bin/env bash
# Runs every fuzz target for as long as asked (seconds each, 60 by default),
# growing its corpus under build/fuzz. Findings are written to build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
./scripts/install-deps.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DGARABIX_FUZZ=ON
cmake --build build/fuzz -j2
mkdir -p build/fuzz/findings
for target in config numeric picture; do
    mkdir -p "build/fuzz/fuzz/corpus-$target"
    ASAN_OPTIONS=detect_leaks=0 "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -max_len=65536 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/findings/ \
        "build/fuzz/fuzz/corpus-$target" "fuzz/corpus/$target"
done
