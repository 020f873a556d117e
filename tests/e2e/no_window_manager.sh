# With no window manager the window maps with its caption and a fixed client
# area of 424 by 212, exactly centred. "2a5-5" typed over the selected "0":
# the refused keys ring the X server's bell once each and are dropped; Enter
# fills the four boxes and moving between them rings nothing; Esc ends the
# program with status 0.
radixor=$1
x11probe=$2
source "$(dirname "$0")/lib.sh"

start_x 1024x768
"$x11probe" >"$scratch/bells" 2>"$scratch/bells.err" &
eventually grep -q ready "$scratch/bells" || fail "the bell listener did not start"
bells() { grep -c bell "$scratch/bells" || true; }
start_radixor

[ "$(xprop -id "$window" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "Decimal/Binary/Hex/Octal Radixor"' ] \
    || fail "caption: $(xprop -id "$window" _NET_WM_NAME)"
read -r x y w h <<<"$(client_geometry "$window")"
read -r rw rh <<<"$(root_size)"
[ "$w x $h" = "424 x 212" ] || fail "client area is $w x $h"
[ "$x,$y" = "$(( (rw - w) / 2 )),$(( (rh - h) / 2 ))" ] || fail "client at $x,$y on a $rw x $rh screen"
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q 'minimum size: 424 by 212' <<<"$hints" && grep -q 'maximum size: 424 by 212' <<<"$hints" \
    || fail "the window can be resized: $hints"

xdotool windowfocus --sync "$window"
for key in 2 a 5 minus 5; do xdotool key --delay 50 "$key"; done
xdotool key Return
for expected in 377 FF 11111111 255; do
    xdotool key shift+Tab
    copy_expect "$expected"
done
sleep 0.5
[ "$(bells)" = 2 ] || fail "$(bells) bells rang, not one each for 'a' and '-'"

xdotool key Escape
ends_with "$app" 0
echo "ok: mapped centred at $x,$y; 'a' and '-' rang one bell each and were dropped; Esc ended with status 0"
