#!/usr/bin/env bash
# Builds Radixor's web page into build-web/site/ and serves it on this
# computer, printing the address to open; Ctrl+C stops it. A port may be
# given: bash scripts/web.sh 8080
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh web
# emcc's optimizer needs acorn, which a node other than Debian's lacks.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emcmake cmake -S web -B build-web -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build-web >/dev/null
exec python3 tests/web/serve.py build-web/site "${1:-0}"
