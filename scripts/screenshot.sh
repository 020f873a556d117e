#!/usr/bin/env bash
# Renews docs/radixor.png: the window under Xvfb and openbox, frame and
# all, after "255" and Enter. Builds into build/ first, or into the build
# directory given as the argument.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target radixor screengrab

radixor=$build/app/radixor
source tests/e2e/lib.sh
start_x 800x600
start_wm
start_radixor
active() { xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$window")"; }
eventually active || fail "the window was not activated"
xdotool type --delay 50 255
xdotool key Return
sleep 0.5

read -r x y w h <<<"$(client_geometry "$window")"
read -r l r t b <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
"$build/tests/e2e/screengrab" $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b)) "$root/docs/radixor.png"
echo "wrote docs/radixor.png ($((w + l + r)) x $((h + t + b)))"
