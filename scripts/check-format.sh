#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of the tree is off the
# committed .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t sources < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t sources < <(find src tests tools bench fuzz -name '*.cpp' -o -name '*.h')
fi
off=()
for f in "${sources[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || off+=("$f")
done
if [ ${#off[@]} -gt 0 ]; then
    echo "check-format: off .clang-format (run clang-format -i on them): ${off[*]}" >&2
    exit 1
fi
echo "check-format: ${#sources[@]} files follow .clang-format"
