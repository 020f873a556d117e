#!/usr/bin/env bash
# Renews docs/radixor-windows.png: radixor.exe under Wine on Xvfb, its
# frame drawn by Wine, after "255" and Enter. Needs the Windows build in
# build-win/ and screengrab from the Linux build in build/ (or the two
# build directories given as arguments).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
winbuild=${2:-build-win}
bash scripts/deps.sh
cmake --build "$build" --target screengrab
cmake --build "$winbuild" --target radixor winprobe

source tests/win32/lib.sh "$winbuild/app/win32/radixor.exe" "$winbuild/tests/win32/winprobe.exe" ""
export WINEPREFIX=$scratch/wine
bash tests/win32/wine.sh start "$WINEPREFIX" gui >/dev/null
trap 'bash tests/win32/wine.sh stop "$WINEPREFIX"; cleanup' EXIT
start_x 800x600
start_exe
xdotool type --delay 50 255
xdotool key Return
sleep 0.5
read -r _ x y w h < <(probe window | grep '^window')
"$build/tests/e2e/screengrab" "$x" "$y" "$w" "$h" "$root/docs/radixor-windows.png"
echo "wrote docs/radixor-windows.png ($w x $h)"
