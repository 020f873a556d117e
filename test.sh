#!/usr/bin/env bash
# Builds Radixor and runs every test; fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DRADIXOR_BENCH=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j2

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer:
# any report ends its program with an error.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRADIXOR_SANITIZE=ON -DBUILD_TESTING=ON >/dev/null
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j2

# A bounded libFuzzer run over the conversion core (clang, ASan+UBSan).
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz
ctest --test-dir build-fuzz --output-on-failure -j2

# The Windows program, cross-built with MinGW-w64 (cmake/mingw-w64.cmake):
# its tests, end-to-end tests and packages run under Wine on Xvfb.
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DBUILD_TESTING=ON -DRADIXOR_BENCH=ON >/dev/null
cmake --build build-win
ctest --test-dir build-win --output-on-failure -j2

# The page in a browser: the same core and handlers compiled to WebAssembly
# with emscripten, the core's tests under node, and the page driven in
# headless Chromium. emcc's optimizer needs acorn, which a node other than
# Debian's lacks.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emcmake cmake -S web -B build-web -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build-web
ctest --test-dir build-web --output-on-failure -j2
