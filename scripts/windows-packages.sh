#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 into build-win/ (or the build
# directory given) and writes its two packages there: the ZIP with the
# portable radixor.exe and the 64-bit installer.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-win}
bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" --target radixor
(cd "$build" && cpack >/dev/null)
ls -l "$build"/Radixor-*-win64.*
