#!/usr/bin/env bash
# radixor under valgrind memcheck on a private Xvfb: start, type a number,
# convert, press Esc. Fails on any memory error and on any block definitely
# or indirectly lost; tools/valgrind.supp holds the toolkit's own, each
# with its reason.
#
#   tools/valgrind_check.sh BUILD_DIR
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
source "$root/tests/e2e/lib.sh"

start_x
# No session bus, and none started on demand: libdbus would otherwise fork
# dbus-launch from inside the program.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus"

# The timeout ends a run whose Esc went astray (exit status 124).
timeout 120 valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=99 --num-callers=30 \
    --child-silent-after-fork=yes \
    --suppressions="$root/tools/valgrind.supp" --gen-suppressions=all \
    --log-file="$scratch/memcheck.log" "$build/app/radixor" &
app=$!

# Valgrind starts the program many times slower than it runs by itself.
window=$(timeout 60 xdotool search --sync --onlyvisible --name 'Radixor' | head -n 1) \
    || fail "no window within 60 s"
# Real key events through XTEST to the focused window, as a keyboard sends
# them (no window manager here, so focus is set directly).
xdotool windowfocus --sync "$window"
xdotool type --delay 50 2147483647
xdotool key Return
sleep 0.5
xdotool key Escape

status=0
wait "$app" || status=$?
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable' "$scratch/memcheck.log" || true
[ "$status" -eq 0 ] || fail "memcheck: exit status $status"
