# radixor.exe under Wine, which draws and places its windows itself, in
# what the behaviour cases do not look at: caption, fixed tool-window
# frame, a client area of 424 by 212 centred on the work area (636 by 318
# at 144 dpi), the icon, a name for each control; copy of each result, by
# Ctrl+C and by the context menu; the longest result fitting its box; the
# close box ending the program with status 0.
source "$(dirname "$0")/lib.sh"

start_x 1024x768
count_bells
WINEDEBUG=-all,fixme+oleacc start_exe

[ "$(xprop -id "$window" _NET_WM_NAME)" = '_NET_WM_NAME(UTF8_STRING) = "Decimal/Binary/Hex/Octal Radixor"' ] \
    || fail "caption: $(xprop -id "$window" _NET_WM_NAME)"
probe window >"$scratch/window"
for line in 'client 424 212' 'resizable 0' 'minimize 0' 'maximize 0' 'close 1' 'toolwindow 1' 'dpi 96' \
    'awareness 2' 'line 13'; do
    grep -qx "$line" "$scratch/window" || fail "no '$line' in: $(cat "$scratch/window")"
done
centred() {
    read -r _ x y w h < <(grep '^window' "$scratch/window")
    read -r _ wx wy ww wh < <(grep '^work' "$scratch/window")
    [ "$x,$y" = "$((wx + (ww - w) / 2)),$((wy + (wh - h) / 2))" ] || fail "a $w x $h window at $x,$y in $ww x $wh"
}
centred
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort | tr '\n' ' ')
[ "$icons" = 'Icon (16 x 16) Icon (32 x 32) ' ] || fail "window icons: $icons"

# Wine takes the names but does not hand them on (its accessibility
# service is a stub that traces each call): the trace shows that every
# control is named, and with which name.
probe handles >"$scratch/handles"
while read -r name index spoken; do
    handle=$(awk -v n="$name" -v i="$index" '$2 == n && $3 == i {print $1}' "$scratch/handles")
    grep -q "SetHwndPropStr ($handle [0-9]* 0 {608d3df8-8128-4aa7-a428-f55e49267291} L\"$spoken\")" \
        "$scratch/radixor.err" || fail "$name $index is not named '$spoken'"
done <<'EOF_NAMES'
txtRadixor -1 Decimal number
txtDec -1 Decimal
txtBin -1 Binary
txtHex -1 Hexadecimal
txtOct -1 Octal
cmdConvert -1 Convert
cmdClear -1 Clear
cmdExit -1 Exit
Btn 0 Digit 0
Btn 5 Digit 5
Btn 9 Digit 9
EOF_NAMES

xdotool type --delay 50 255
xdotool key Return
focus_is 'txtRadixor -1 0 3 255' "after Enter"
for expected in 377 FF 11111111 255; do
    xdotool key shift+Tab
    copy_expect "$expected"
done

# Copy on a result box's context menu, with the focus elsewhere.
xdotool key Tab
focus_is 'txtBin -1 0 8 11111111'
echo -n | xclip -i -selection clipboard
read -r x y <<<"$(probe centre txtHex)"
xdotool mousemove "$x" "$y" click 3
sleep 0.5
xdotool key c
eventually sh -c "[ \"\$(xclip -o -selection clipboard)\" = FF ]" \
    || fail "the context menu's Copy on the hexadecimal box gave '$(xclip -o -selection clipboard)'"
xdotool key Escape
ends_with "$app" 0

# The longest result fits its box: selected whole, it has not scrolled.
start_exe
xdotool type --delay 50 2147483647
xdotool key Return
text_is txtBin 1111111111111111111111111111111
for _ in 1 2 3; do xdotool key shift+Tab; done
focus_is 'txtBin -1 0 31 1111111111111111111111111111111' "Shift+Tab to the binary box"
[ "$(probe first txtBin)" -ge 0 ] || fail "31 binary digits do not fit their box"

read -r x y <<<"$(probe closebox)"
xdotool mousemove "$x" "$y" click 1
ends_with "$app" 0

# At 144 dpi (per-monitor aware, through the manifest) every twip counts
# for 0.1 pixel: the client area is 636 by 318 and the font's line 20.
dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'dpi 96; cleanup' EXIT
dpi 144
start_exe
probe window >"$scratch/window"
for line in 'client 636 318' 'line 20'; do
    grep -qx "$line" "$scratch/window" || fail "at 144 dpi no '$line' in: $(cat "$scratch/window")"
done
centred
xdotool key Escape
ends_with "$app" 0
echo "ok: window centred in the work area at 96 and 144 dpi; named; copy by key and menu; the longest result fits; the close box"
