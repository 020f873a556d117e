#!/usr/bin/env bash
# How long radixor.exe under Wine takes to refuse pastes far past the
# entry's limit, on a private Xvfb in a fresh prefix:
#
#   bench/win32/paste.sh [WINDOWS_BUILD_DIR] [DIGITS...]
#                                   (defaults: build-win, 1000000 10000000)
#
# Two routes for each size: WM_PASTE sent by paste_bench, which fills the
# clipboard itself and times the message and the next one; and Shift+Insert
# typed with the digits on the X clipboard (xclip), as a user pastes, timed
# from the key to the bell (xdotool's start and the selection's transfer
# from xclip included).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
winbuild=$(cd "${1:-$root/build-win}" && pwd)
shift || true
sizes=("${@:-1000000}")
[ $# -gt 0 ] || sizes=(1000000 10000000)
exe=$winbuild/app/win32/radixor.exe
bench=$winbuild/bench/win32/paste_bench.exe
winprobe=$winbuild/tests/win32/winprobe.exe
x11probe=$winbuild/tests/win32/x11probe
for f in "$exe" "$bench" "$winprobe" "$x11probe"; do
    [ -f "$f" ] || { echo "missing $f: build first" >&2; exit 1; }
done

source "$root/tests/win32/lib.sh" "$exe" "$winprobe" "$x11probe"
export WINEPREFIX=$scratch/wine
bash "$root/tests/win32/wine.sh" start "$WINEPREFIX" gui >/dev/null || fail "no Wine prefix"
trap 'bash "$root/tests/win32/wine.sh" stop "$WINEPREFIX"; cleanup' EXIT
start_x 1024x768
count_bells
start_exe

now_ms() { echo $(($(date +%s%N) / 1000000)); }
echo "paste refusal under Wine $(wine --version), load: $(uptime | sed 's/.*load average: //')"
echo "WM_PASTE (paste_bench):"
wine "$bench" "${sizes[@]}" | tr -d '\r' | sed 's/^/  /'
rung=$(bells)
echo "Shift+Insert with the digits on the X clipboard, to the bell:"
for n in "${sizes[@]}"; do
    clipboard "$(head -c "$n" /dev/zero | tr '\0' 9)"
    start=$(now_ms)
    xdotool key shift+Insert
    rung=$((rung + 1))
    for _ in $(seq 6000); do
        [ "$(bells)" -ge "$rung" ] && break
        sleep 0.01
    done
    took=$(($(now_ms) - start))
    [ "$(bells)" -ge "$rung" ] || fail "no bell after a minute for $n digits"
    echo "  $n digits: bell after $took ms, entry $(($(probe text txtRadixor | wc -c) - 1)) characters"
done
xdotool key Escape
ends_with "$app" 0
