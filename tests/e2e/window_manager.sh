# Under a window manager (openbox): the whole window, frame included, is
# centred once the frame is known; the window is listed for taskbars and
# not marked to skip them; Alt+X ends the program with status 0, and so
# does the window manager's close request (wmctrl -c, as from the close box).
radixor=$1
source "$(dirname "$0")/lib.sh"

start_x 1280x800
start_wm
start_radixor

framed() { xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '= '; }
frame_centred() {
    local x y w h l r t b rw rh
    read -r x y w h <<<"$(client_geometry "$window")"
    read -r l r t b <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    read -r rw rh <<<"$(root_size)"
    placement="client $w x $h, frame $((w + l + r)) x $((h + t + b)) at $((x - l)),$((y - t)) on $rw x $rh"
    [ "$w x $h" = "424 x 212" ] \
        && [ "$((x - l)),$((y - t))" = "$(( (rw - w - l - r) / 2 )),$(( (rh - h - t - b) / 2 ))" ]
}
eventually framed || fail "openbox gave no frame extents"
eventually frame_centred || { frame_centred || true; fail "not centred: $placement"; }

xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$window")" || fail "not in the client list"
! xprop -id "$window" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "marked to skip the taskbar"

active() { xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$window")"; }
eventually active || fail "the window was not activated"
xdotool key alt+x
ends_with "$app" 0
start_radixor
eventually active || fail "the second window was not activated"
wmctrl -i -c "$window"
ends_with "$app" 0
echo "ok: $placement; Alt+X and the close request each ended with status 0"
