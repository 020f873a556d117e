# Sourced by the end-to-end tests: a private X server on a free display,
# waiting with a time limit, and clean-up of everything a test started.
set -euo pipefail
unset QT_QPA_PLATFORM XDG_SESSION_TYPE WAYLAND_DISPLAY DISPLAY

scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
started=()

# Newest first, so that the clients go before their X server.
cleanup() {
    local i
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill "${started[i]}" 2>/dev/null || true
    done
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

# Runs a command until it succeeds, for at most 10 seconds.
eventually() {
    local i
    for i in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb on a display of its own, drawn from a range that servers picking the
# lowest free number do not reach. Xvfb says on fd 3 when it listens, yet
# the first connections can still fail for a moment, so one is tried; with
# -noreset that trial does not make the server reset when it leaves.
start_x() {
    local size=${1:-1024x768} number pid i
    for _ in $(seq 20); do
        number=$((200 + RANDOM % 700))
        [ -e "/tmp/.X11-unix/X$number" ] && continue
        : >"$scratch/display"
        Xvfb ":$number" -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp \
            3>"$scratch/display" 2>"$scratch/xvfb.log" &
        pid=$!
        for i in $(seq 200); do
            [ -s "$scratch/display" ] || ! kill -0 "$pid" 2>/dev/null && break
            sleep 0.05
        done
        if [ -s "$scratch/display" ]; then
            started+=("$pid")
            export DISPLAY=:$number
            eventually xprop -root || fail "Xvfb on :$number takes no connection"
            return
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" || true
    done
    fail "Xvfb found no free display"
}

wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

start_wm() {
    openbox --sm-disable >"$scratch/wm.log" 2>&1 &
    started+=($!)
    eventually wm_ready || fail "openbox did not start"
}

# Starts radixor in the background; sets app (its pid) and window (its id).
start_radixor() {
    "$radixor" 2>>"$scratch/radixor.err" &
    app=$!
    started+=($app)
    eventually xdotool search --onlyvisible --name '^Decimal/Binary/Hex/Octal Radixor$' \
        || fail "no radixor window appeared"
    window=$(xdotool search --onlyvisible --name '^Decimal/Binary/Hex/Octal Radixor$' | head -1)
}

forget() {
    local pid kept=()
    for pid in "${started[@]}"; do
        [ "$pid" = "$1" ] || kept+=("$pid")
    done
    started=("${kept[@]}")
}

# Fails unless the process ends within 10 seconds with the given status.
ends_with() {
    local pid=$1 wanted=$2 status=0
    eventually sh -c "! kill -0 $pid" || fail "radixor still runs"
    wait "$pid" || status=$?
    forget "$pid"
    [ "$status" = "$wanted" ] || fail "radixor ended with status $status, not $wanted"
}

# "x y width height" of a window's client area, in root coordinates.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print x, y, w, h}'
}

root_size() {
    xwininfo -root | awk '/^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print w, h}'
}

# Copies the focused box's text with Ctrl+C and fails unless the clipboard
# comes to hold the expected text.
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
copy_expect() {
    local what=$1 expected=$2
    xdotool key ctrl+c
    eventually clipboard_is "$expected" \
        || fail "$what holds '$(xclip -o -selection clipboard 2>/dev/null)', not '$expected'"
}
