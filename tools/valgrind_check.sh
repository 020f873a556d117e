#!/usr/bin/env bash
# radixor under valgrind memcheck on a private Xvfb: start, type a number,
# convert, press Esc. Fails on any memory error and on any block definitely
# or indirectly lost; tools/valgrind.supp holds the toolkit's own, each
# with its reason.
#
#   tools/valgrind_check.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work"
# No session bus, and none started on demand: libdbus would otherwise fork
# dbus-launch from inside the program.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"

# The timeout ends a run whose Esc went astray (exit status 124).
timeout 120 valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --num-callers=30 \
    --child-silent-after-fork=yes \
    --suppressions="$root/tools/valgrind.supp" --gen-suppressions=all \
    --log-file="$work/memcheck.log" "$build/app/radixor" &
app_pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name 'Radixor' | head -n 1) || {
    echo "no window within 60 s" >&2; cat "$work/memcheck.log" >&2; exit 1; }
# Real key events through XTEST to the focused window, as a keyboard sends
# them (no window manager here, so focus is set directly).
xdotool windowfocus --sync "$window"
xdotool type --delay 50 2147483647
xdotool key Return
sleep 0.5
xdotool key Escape

status=0
wait "$app_pid" || status=$?
app_pid=
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable' "$work/memcheck.log" || true
if [ "$status" -ne 0 ]; then
    echo "memcheck: exit status $status" >&2
    cat "$work/memcheck.log" >&2
    exit 1
fi
