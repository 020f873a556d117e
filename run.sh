#!/usr/bin/env bash
# Builds Radixor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh run
# A fresh build folder gets the program alone (tests and benchmarks are
# off unless asked for); one that test.sh set up keeps its tests.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target radixor
exec build/app/radixor
