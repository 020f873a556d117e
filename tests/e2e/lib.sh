# Sourced by the end-to-end tests: a private X server on a free display,
# waiting with a time limit, and clean-up of everything a test started.
set -euo pipefail
unset QT_QPA_PLATFORM XDG_SESSION_TYPE WAYLAND_DISPLAY DISPLAY

scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Newest first, so that the clients go before their X server.
cleanup() {
    local pids
    pids=$(jobs -p | tac)
    [ -z "$pids" ] || kill $pids 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    local log
    for log in "$scratch"/*.log "$scratch"/*.err; do
        [ -s "$log" ] && { echo "--- $(basename "$log")"; cat "$log"; } >&2
    done
    exit 1
}

# Ends the processes that carry the scratch folder in their environment,
# as everything a test starts does, other than this shell, and whose name
# matches the extended regex given (any, without one); fails if there were
# any.
leftovers() {
    local e pid comm found=
    for e in /proc/[0-9]*/environ; do
        pid=${e#/proc/}
        pid=${pid%/environ}
        [ "$pid" = $$ ] || [ "$pid" = "$BASHPID" ] && continue
        comm=$(cat "/proc/$pid/comm" 2>/dev/null) || continue
        grep -qE "^(${1:-.*})\$" <<<"$comm" || continue
        grep -qzF "XDG_RUNTIME_DIR=$scratch/" "$e" 2>/dev/null && found+=" $pid:$comm"
    done
    [ -z "$found" ] && return
    echo "FAIL: left running:$found" >&2
    for pid in $found; do
        kill "${pid%%:*}" 2>/dev/null || true
    done
    return 1
}

# Runs a command until it succeeds, for at most 10 seconds.
eventually() {
    local i
    for i in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb on a display drawn from a range that servers picking the lowest free
# number do not reach. It says on fd 3 when it listens, yet the first
# connections can still fail for a moment; with -noreset the trial
# connection does not make it reset when it leaves. Sets xserver to its pid.
start_x() {
    local number pid i
    for _ in $(seq 20); do
        number=$((200 + RANDOM % 700))
        [ -e "/tmp/.X11-unix/X$number" ] && continue
        : >"$scratch/display"
        Xvfb ":$number" -displayfd 3 -noreset -screen 0 "${1:-1024x768}x24" -nolisten tcp \
            3>"$scratch/display" 2>"$scratch/xvfb.log" &
        pid=$!
        for i in $(seq 200); do
            [ -s "$scratch/display" ] || ! kill -0 "$pid" 2>/dev/null && break
            sleep 0.05
        done
        if [ -s "$scratch/display" ]; then
            export DISPLAY=:$number
            xserver=$pid
            eventually xprop -root || fail "Xvfb on :$number takes no connection"
            return
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" || true
    done
    fail "Xvfb found no free display"
}

start_wm() {
    openbox --sm-disable >"$scratch/wm.log" 2>&1 &
    eventually sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || fail "openbox did not start"
}

# Starts radixor in the background; sets app (its pid) and window (its id).
start_radixor() {
    local title='^Decimal/Binary/Hex/Octal Radixor$'
    "$radixor" 2>>"$scratch/radixor.err" &
    app=$!
    eventually xdotool search --onlyvisible --name "$title" || fail "no radixor window appeared"
    window=$(xdotool search --onlyvisible --name "$title" | head -1)
}

# Fails unless the process ends within 10 seconds with the given status.
ends_with() {
    local status=0
    eventually sh -c "! kill -0 $1" || fail "radixor still runs"
    wait "$1" || status=$?
    [ "$status" = "$2" ] || fail "radixor ended with status $status, not $2"
}

# "x y width height" of a window's client area, in root coordinates.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print x, y, w, h}'
}

root_size() {
    xwininfo -root | awk '/^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print w, h}'
}

# Copies the focused box's text with Ctrl+C; fails unless the clipboard
# comes to hold the expected text.
copy_expect() {
    xdotool key ctrl+c
    eventually sh -c "[ \"\$(xclip -o -selection clipboard)\" = '$1' ]" \
        || fail "the box holds '$(xclip -o -selection clipboard 2>/dev/null)', not '$1'"
}

# Makes the given locale the desktop's language; one not installed here is
# built into the scratch folder.
use_locale() {
    unset LC_ALL LC_MESSAGES LANGUAGE LOCPATH
    export LANG=$1
    [ "$1" = C.UTF-8 ] && return
    export LOCPATH=$scratch/locale
    mkdir -p "$LOCPATH"
    [ -d "$LOCPATH/$1" ] || localedef -i "${1%%.*}" -f UTF-8 "$LOCPATH/$1" 2>>"$scratch/localedef.log" \
        || fail "could not build the locale $1"
}
