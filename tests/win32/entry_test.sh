# The routes into the entry box of radixor.exe under Wine that the
# behaviour cases (typing, Shift+Insert) do not take: WM_PASTE, the context
# menu's Paste, EM_REPLACESEL, WM_SETTEXT and input-method characters from
# another program. On each a piece of digits goes in without its blanks,
# and anything else is refused whole with one beep, the text unchanged.
source "$(dirname "$0")/lib.sh"

start_x 1024x768
count_bells
start_exe

xdotool type --delay 50 25
focus_is 'txtRadixor -1 2 2 25' "typing 25"
read -r x y <<<"$(probe centre txtRadixor)"
paste_from_menu() {
    xdotool key End
    xdotool mousemove "$x" "$y" click 3
    sleep 0.5
    xdotool key p
}

clipboard $' 42\n'
probe paste
focus_is 'txtRadixor -1 4 4 2542' "WM_PASTE of ' 42'"
paste_from_menu
focus_is 'txtRadixor -1 6 6 254242' "the context menu's Paste of ' 42'"
probe replacesel ' 42 '
focus_is 'txtRadixor -1 8 8 25424242' "EM_REPLACESEL of ' 42 '"
probe imechar 7
focus_is 'txtRadixor -1 9 9 254242427' "WM_IME_CHAR of 7"
probe settext $'\t99 '
text_is txtRadixor 99
bells_are 0 "digits with blanks around go in"

clipboard '4 2'
probe paste
bells_are 1 "WM_PASTE of '4 2'"
paste_from_menu
bells_are 2 "the context menu's Paste of '4 2'"
probe replacesel 4x
bells_are 3 "EM_REPLACESEL of '4x'"
probe imechar a
bells_are 4 "WM_IME_CHAR of a"
probe settext '1 2'
bells_are 5 "WM_SETTEXT of '1 2'"
text_is txtRadixor 99

xdotool key Escape
ends_with "$app" 0
echo "ok: five routes from outside the keyboard, digits trimmed in, anything else refused whole with one beep"
