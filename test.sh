#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer test tree and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGARABIX_SANITIZE=ON -DGARABIX_TESTS=ON
cmake --build build/test -j2
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
