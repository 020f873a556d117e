# Whatever the environment it is started in, radixor starts or says why:
# with its standard descriptors closed; with /tmp full, its start-up
# warnings still shown; with an X server that dies as it starts, never
# ending without a word; and with another user's session bus in the
# runtime folder (sudo -E), no bus of its own left running.
radixor=$1
source "$(dirname "$0")/lib.sh"

start_x 1024x768

# Closed descriptors: the X connection must not become stderr.
"$radixor" <&- >&- 2>&- &
app=$!
eventually xdotool search --onlyvisible --name '^Decimal/Binary/Hex/Octal Radixor$' \
    || fail "with descriptors 0, 1 and 2 closed no window appeared"
for fd in 0 1 2; do
    [ "$(readlink "/proc/$app/fd/$fd")" = /dev/null ] || fail "descriptor $fd is $(readlink "/proc/$app/fd/$fd")"
done
kill "$app"
wait "$app" || true
echo "ok: closed descriptors are /dev/null"

# /tmp full: the warning Qt gives at start (an unknown style) still shows.
# The program is started through /mnt, since it may lie under /tmp itself.
unshare -m sh -c 'mount --bind "$(dirname "$1")" /mnt && mount -t tmpfs -o size=16k tmpfs /tmp \
        && { cat /dev/zero >/tmp/fill 2>/dev/null; program=/mnt/$(basename "$1"); shift; exec "$program" "$@"; }' \
    sh "$radixor" -style nosuch 2>"$scratch/radixor.err" &
app=$!
eventually grep -q "invalid style override 'nosuch'" "$scratch/radixor.err" \
    || fail "with /tmp full the start-up warning is lost"
kill "$app"
wait "$app" || true
: >"$scratch/radixor.err"
echo "ok: with /tmp full the start-up warning shows"

# Another user's bus where libdbus looks: it would start a bus of its own.
/usr/bin/python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$XDG_RUNTIME_DIR/bus"
chown nobody "$XDG_RUNTIME_DIR/bus"
(unset DBUS_SESSION_BUS_ADDRESS; exec "$radixor" 2>>"$scratch/radixor.err") &
app=$!
eventually xdotool search --onlyvisible --name '^Decimal/Binary/Hex/Octal Radixor$' || fail "no window with a foreign bus"
sleep 1
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Decimal/Binary/Hex/Octal Radixor$' | head -1)"
xdotool key Escape
ends_with "$app" 0
sleep 0.3
leftovers 'dbus-launch|dbus-daemon' || fail "a session bus was left running"
echo "ok: no session bus started"

# An X server that dies while radixor starts, from 60 ms on: whatever the
# status, a failure says why.
for delay in 0.06 0.07 0.08 0.09 0.12 0.15 0.2 0.3 0.4 0.6; do
    unset DISPLAY
    start_x 640x480
    "$radixor" 2>"$scratch/died.err" &
    app=$!
    sleep "$delay"
    kill "$xserver"
    status=0
    timeout 10 tail --pid="$app" -f /dev/null || fail "after $delay s: radixor still runs without its X server"
    wait "$app" || status=$?
    [ "$status" = 0 ] || [ -s "$scratch/died.err" ] || fail "after $delay s: status $status and nothing on stderr"
    echo "after $delay s: status $status: $(head -1 "$scratch/died.err")"
done
echo "ok: an X server dying at start never leaves radixor silent"
