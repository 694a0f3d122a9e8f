#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; arguments go to each benchmark.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DGARABIX_TESTS=OFF -DGARABIX_BENCH=ON
cmake --build build/bench -j2
# As root, a Samba share mounted through FUSE for the benchmark that saves
# onto a classroom's shared folder.
if [ "$(id -u)" -eq 0 ]; then
    server=$(mktemp -d "${TMPDIR:-/tmp}/garabix-bench-server.XXXXXX")
    trap 'scripts/file-server.sh stop "$server/files"; rm -rf "$server"' EXIT
    scripts/file-server.sh start "$server/files" >/dev/null
    GARABIX_BENCH_SHARE=$(scripts/file-server.sh mount "$server/files" pc1)
    export GARABIX_BENCH_SHARE
fi
for b in build/bench/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    QT_QPA_PLATFORM=offscreen "$b" "$@"
done
# The CPU a 10-second freehand drag costs, on a screen of its own.
bench/drag-cpu.sh build/bench/garabix/garabix
