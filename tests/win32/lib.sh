# Sourced by the Windows end-to-end tests, with radixor.exe, winprobe.exe
# and x11probe as arguments: lib.sh's X server and clean-up, and
# the program under Wine, its state read back through the Win32 API.
exe=$1
winprobe=$2
x11probe=$3
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
export WINEDEBUG=${WINEDEBUG:--all}
title='^Decimal/Binary/Hex/Octal Radixor$'

probe() { wine "$winprobe" "$@" | tr -d '\r'; }

# Every bell the X server rings from here on is counted.
count_bells() {
    "$x11probe" >"$scratch/bells" 2>"$scratch/bells.err" &
    eventually grep -q ready "$scratch/bells" || fail "the bell listener did not start"
}
bells() { grep -c bell "$scratch/bells" || true; }
# The bells rung so far are n: waits for the nth, as a beep can trail its
# key, then a little longer for one too many.
bells_are() {
    eventually sh -c "[ \$(grep -c bell '$scratch/bells') -ge $1 ]" || true
    sleep 0.3
    [ "$(bells)" = "$1" ] || fail "$(bells) bells rang, not $1${2:+ ($2)}"
}

# Starts radixor.exe in the background, focused; sets app and window.
start_exe() {
    wine "$exe" 2>>"$scratch/radixor.err" &
    app=$!
    eventually xdotool search --onlyvisible --name "$title" || fail "no radixor window appeared"
    window=$(xdotool search --onlyvisible --name "$title" | head -1)
    xdotool windowfocus --sync "$window"
    eventually sh -c "wine '$winprobe' focus | grep -q '^txtRadixor'" || fail "the entry box has not the focus"
}

# Fails unless the focused control, its selection and its text come to be
# these within 5 seconds: "name index start end text". The probe may ask
# before the program has taken the last keys, hence the waiting.
focus_is() {
    local now i
    for i in $(seq 50); do
        now=$(probe focus)
        [ "$now" = "$1" ] && return 0
        sleep 0.1
    done
    fail "focus: '$now', not '$1'${2:+ ($2)}"
}

text_is() {
    local now i
    for i in $(seq 50); do
        now=$(probe text "$1")
        [ "$now" = "$2" ] && return 0
        sleep 0.1
    done
    fail "$1 holds '$now', not '$2'"
}

click() {
    local x y
    read -r x y <<<"$(probe centre "$@")"
    xdotool mousemove "$x" "$y" click 1
}

# Puts text on the X clipboard, served until the next owner takes over.
clipboard() {
    [ -z "${clip:-}" ] || { kill "$clip" 2>/dev/null; wait "$clip" 2>/dev/null || true; }
    printf '%s' "$1" | xclip -i -selection clipboard -quiet >/dev/null 2>&1 &
    clip=$!
    eventually sh -c "[ \"\$(xclip -o -selection clipboard | head -c 20)\" = \"$(printf '%s' "$1" | head -c 20)\" ]" \
        || fail "xclip does not serve the clipboard"
}
