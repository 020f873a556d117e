# The entry box of radixor.exe under Wine: the keystroke filter sees the
# codes of WM_CHAR (Ctrl+A is 1) and beeps once for each it refuses; every
# paste route (Shift+Insert, which Wine's box handles without WM_PASTE,
# WM_PASTE itself, the context menu) trims a piece of digits and refuses
# anything else whole with one beep; a long paste is not cut short.
source "$(dirname "$0")/lib.sh"

start_x 1024x768
count_bells
start_exe

for key in 2 a 5 minus 5; do xdotool key --delay 50 "$key"; done
focus_is 'txtRadixor -1 3 3 255' "typing 2a5-5"
bells_are 2 "for a and -"
xdotool key ctrl+a ctrl+c ctrl+v ctrl+x ctrl+z
bells_are 7 "one for each chord"
focus_is 'txtRadixor -1 3 3 255' "Ctrl+A, C, V, X and Z do nothing"
xdotool key BackSpace
focus_is 'txtRadixor -1 2 2 25' "Backspace"
bells_are 7

clipboard $' 42\n'
xdotool key shift+Insert
focus_is 'txtRadixor -1 4 4 2542' "Shift+Insert of ' 42'"
probe paste
focus_is 'txtRadixor -1 6 6 254242' "WM_PASTE of ' 42'"
read -r x y <<<"$(probe centre txtRadixor)"
paste_from_menu() {
    xdotool key End
    xdotool mousemove "$x" "$y" click 3
    sleep 0.5
    xdotool key p
}
paste_from_menu
focus_is 'txtRadixor -1 8 8 25424242' "the context menu's Paste of ' 42'"
bells_are 7 "digits with blanks around go in"

clipboard '4 2'
xdotool key shift+Insert
bells_are 8 "Shift+Insert of '4 2'"
probe paste
bells_are 9 "WM_PASTE of '4 2'"
paste_from_menu
bells_are 10 "the context menu's Paste of '4 2'"
text_is txtRadixor 25424242

# The box's own limit, 30000 unless raised, would cut a paste short. (The
# refusal past the entry's limit is definition_test's: Wine's box takes
# seconds to repaint a hundred thousand digits.)
digits=$(printf '%040000d' 0 | tr 0 7)
xdotool key alt+c
clipboard "$digits"
xdotool key shift+Insert
eventually sh -c "[ \"\$(wine '$winprobe' text txtRadixor | tr -d '\r')\" = '$digits' ]" \
    || fail "40000 pasted digits did not all go in"
bells_are 10 "a long paste"

xdotool key Escape
ends_with "$app" 0
echo "ok: filter and three paste routes, with one beep for each refusal; a long paste whole"
