#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer test tree, the libFuzzer
# targets (with clang) and the Release tree; checks an install of the Release
# tree and its Debian package, runs each fuzz target over its seed corpus for
# a fixed number of inputs, and runs every test, on a Spanish desktop. Exits
# non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

# Every source follows .clang-format, and the test build has no warning.
format=0
scripts/check-format.sh || format=1
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGARABIX_SANITIZE=ON -DGARABIX_TESTS=ON \
    -DGARABIX_WERROR=ON
cmake --build build/test -j2
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DGARABIX_FUZZ=ON
cmake --build build/fuzz -j2
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGARABIX_TESTS=OFF \
    -DGARABIX_BENCH=ON # the benchmarks are built, so a change never leaves them broken
cmake --build build/release -j2

# Every test runs on a Spanish desktop: a comma-decimal locale catches any
# reading of numbers that follows the locale.
export LC_ALL=es_ES.UTF-8 LANG=es_ES.UTF-8

# The services the tests need, each of the run's own in a private folder,
# its output in a file there, stopped by its PID when the run ends.
services=$(mktemp -d "${TMPDIR:-/tmp}/garabix-test-services.XXXXXX")
trap 'scripts/sound-server.sh stop "$services/sound"; scripts/print-server.sh stop "$services/print"
      scripts/file-server.sh stop "$services/files"; rm -rf "$services"' EXIT
PULSE_SERVER=$(scripts/sound-server.sh start "$services/sound")
export PULSE_SERVER
# A print scheduler and a file server need root (cups-pdf runs as root,
# FUSE mounts); without it the tests that print through a real queue or
# save onto a real share skip.
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$services"
    CUPS_SERVER=$(scripts/print-server.sh start "$services/print")
    GARABIX_PRINT_DIR="$services/print"
    export CUPS_SERVER GARABIX_PRINT_DIR
    # A classroom's file server: Samba on 127.0.0.1, its share mounted
    # through FUSE once for each of three computers and a terminal server.
    GARABIX_SHARE_SERVER_PID=$(scripts/file-server.sh start "$services/files")
    GARABIX_SHARE_LOCAL="$services/files/share"
    GARABIX_SHARE_MOUNTS=$(for computer in pc1 pc2 pc3 aula; do
        scripts/file-server.sh mount "$services/files" "$computer"
    done | paste -sd ' ')
    export GARABIX_SHARE_SERVER_PID GARABIX_SHARE_LOCAL GARABIX_SHARE_MOUNTS
fi

status=$format
# Installed like a desktop program, per user and as a Debian package.
tests/install/check-install.sh build/release || status=1
(cd build/fuzz && ctest --output-on-failure -j2) || status=1
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@") || status=1
exit $status
