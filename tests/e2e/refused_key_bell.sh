# A refused key in the entry rings the X server's bell once and leaves the
# text as it was; digits, Enter and the moves between boxes ring nothing.
# The close request a window manager sends (WM_DELETE_WINDOW) ends the
# program with status 0.
radixor=$1
x11probe=$2
source "$(dirname "$0")/lib.sh"

start_x
"$x11probe" bells >"$scratch/bells" 2>"$scratch/bells.err" &
started+=($!)
eventually grep -q ready "$scratch/bells" || fail "the bell listener did not start"
bells() { grep -c bell "$scratch/bells" || true; }
bells_are() { [ "$(bells)" = "$1" ]; }

start_radixor
xdotool windowfocus --sync "$window"
xdotool type --delay 50 2
xdotool type --delay 50 a
eventually bells_are 1 || fail "'a' rang $(bells) bells, not 1"
xdotool type --delay 50 5
xdotool key minus
eventually bells_are 2 || fail "'-' after 'a' left $(bells) bells, not 2"
xdotool type --delay 50 5
xdotool key Return
for _ in 1 2 3 4; do xdotool key shift+Tab; done
copy_expect txtDec 255
sleep 0.5
bells_are 2 || fail "$(bells) bells rang, only 'a' and '-' should ring"

"$x11probe" close "$window"
ends_with "$app" 0
echo "ok: 'a' and '-' rang one bell each and were dropped; the close request ended with status 0"
