# With no window manager: the window maps with its caption, a fixed client
# area of 424 by 212 exactly centred, and its icon at 16, 32 and 64 pixels;
# "255" typed over the selected "0" and Enter fill the four boxes; Esc ends
# the program with status 0.
radixor=$1
source "$(dirname "$0")/lib.sh"

start_x 1024x768
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
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort | tr '\n' ' ')
[ "$icons" = "Icon (16 x 16) Icon (32 x 32) Icon (64 x 64) " ] || fail "window icons: $icons"

xdotool windowfocus --sync "$window"
xdotool type --delay 50 255
xdotool key Return
xdotool key shift+Tab
copy_expect txtOct 377
xdotool key shift+Tab
copy_expect txtHex FF
xdotool key shift+Tab
copy_expect txtBin 11111111
xdotool key shift+Tab
copy_expect txtDec 255

xdotool key Escape
ends_with "$app" 0
echo "ok: mapped centred at $x,$y, converted 255, Esc ended with status 0"
