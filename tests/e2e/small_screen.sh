# On a screen smaller than the window, its top-left corner stays on the
# screen, with and without a window manager's frame. The first start meets
# a hostile setting as well: no session bus and no XDG_RUNTIME_DIR (so Qt
# warns), stderr a pipe whose reader has gone; the warning must not end the
# program, and no bus may be left running after it.
radixor=$1
source "$(dirname "$0")/lib.sh"
command -v dbus-launch >/dev/null || fail "dbus-launch is not installed, so nothing could be autolaunched"

start_x 320x200

# Qt does warn in this setting, so the pipe below is written to.
(unset XDG_RUNTIME_DIR DBUS_SESSION_BUS_ADDRESS; timeout 2 "$radixor" 2>"$scratch/warnings.txt") || true
[ -s "$scratch/warnings.txt" ] || fail "no warning without XDG_RUNTIME_DIR: the broken pipe would go untested"

mkfifo "$scratch/pipe"
(exec 3<"$scratch/pipe") &
exec 4>"$scratch/pipe"
wait $!
(unset XDG_RUNTIME_DIR DBUS_SESSION_BUS_ADDRESS; exec "$radixor" 2>&4) &
app=$!
exec 4>&-
title='^Decimal/Binary/Hex/Octal Radixor$'
eventually xdotool search --onlyvisible --name "$title" || { ends_with "$app" 0; fail "no window appeared"; }
window=$(xdotool search --onlyvisible --name "$title" | head -1)
read -r x y w h <<<"$(client_geometry "$window")"
[ "$x,$y" = "0,0" ] || fail "without a window manager the $w x $h window is at $x,$y on 320 x 200"
xdotool windowfocus --sync "$window" key Escape
ends_with "$app" 0

# Bus processes started for this display, found by the DISPLAY they inherited.
leftovers=""
for pid in $(pgrep -x dbus-launch; pgrep -x dbus-daemon); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "DISPLAY=$DISPLAY"; then
        leftovers+=" $pid ($(cat "/proc/$pid/comm"))"
        kill "$pid" 2>/dev/null || true
    fi
done
[ -z "$leftovers" ] || fail "left running:$leftovers"
echo "ok: at $x,$y without a window manager; a Qt warning into a broken pipe did not end it; no bus left running"

start_wm
start_radixor
framed_top_left() {
    local l r t b
    read -r x y w h <<<"$(client_geometry "$window")"
    read -r l r t b <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    [ -n "$b" ] && [ "$((x - l)),$((y - t))" = "0,0" ]
}
eventually framed_top_left || fail "under openbox the frame is misplaced: client at $x,$y"
xdotool windowfocus --sync "$window" key Escape
ends_with "$app" 0
echo "ok: under openbox the frame's top-left, and so the title bar, is on the screen (client at $x,$y)"
