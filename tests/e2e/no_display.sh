# With no display to reach, radixor says so in one line on stderr and ends
# with status 1, rather than aborting; a platform the user names still runs.
radixor=$1
source "$(dirname "$0")/lib.sh"

refuses() {
    local what=$1 status=0
    shift
    "$@" >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
    [ "$status" = 1 ] || fail "$what: status $status, not 1; stderr: $(cat "$scratch/err")"
    [ "$(wc -l <"$scratch/err")" = 1 ] && grep -q '^radixor: cannot connect to .*display' "$scratch/err" \
        || fail "$what: stderr is not one line saying so: $(cat "$scratch/err")"
    [ ! -s "$scratch/out" ] || fail "$what: wrote to stdout"
    echo "$what: $(cat "$scratch/err")"
}

unused=1000
while [ -e "/tmp/.X11-unix/X$unused" ] || [ -e "/tmp/.X$unused-lock" ]; do unused=$((unused + 1)); done

refuses "DISPLAY unset" env -u DISPLAY "$radixor"
refuses "DISPLAY empty" env DISPLAY= "$radixor"
refuses "DISPLAY=:$unused, no server there" env DISPLAY=":$unused" "$radixor"
refuses "-display :$unused" env -u DISPLAY "$radixor" -display ":$unused"
refuses "QT_QPA_PLATFORM=xcb, DISPLAY unset" env -u DISPLAY QT_QPA_PLATFORM=xcb "$radixor"

# Still running after two seconds means it started; timeout then ends it.
status=0
timeout 2 env -u DISPLAY QT_QPA_PLATFORM=offscreen "$radixor" >/dev/null 2>&1 || status=$?
[ "$status" = 124 ] || fail "offscreen without a display: status $status, not still running"
echo "ok: offscreen without a display runs"
