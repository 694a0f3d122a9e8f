#!/usr/bin/env bash
# Installs what is missing, builds Garabix in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGARABIX_TESTS=OFF
cmake --build build/release -j2
exec ./build/release/garabix/garabix "$@"
