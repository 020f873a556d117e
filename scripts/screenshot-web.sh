#!/usr/bin/env bash
# Renews docs/radixor-web.png: the page in headless Chromium after "255"
# and Enter, as the page test leaves it. Builds into build-web/ first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emcmake cmake -S web -B build-web -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build-web
RADIXOR_SITE=build-web/site /usr/bin/python3 tests/web/page_test.py docs/radixor-web.png
