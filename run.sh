#!/usr/bin/env bash
# Builds Radixor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh run
# A fresh build folder gets the program alone; one that test.sh set up
# keeps its tests.
options=()
[ -f build/CMakeCache.txt ] || options=(-DBUILD_TESTING=OFF -DRADIXOR_BENCH=OFF)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build build --target radixor
exec build/app/radixor
