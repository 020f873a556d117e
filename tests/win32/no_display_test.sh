# With no display Wine has no driver to make windows with: radixor.exe says
# that it cannot open its window in one line on stderr and ends with
# status 1, instead of waiting for messages that never come.
source "$(dirname "$0")/../e2e/lib.sh"
export WINEDEBUG=-all
status=0
timeout 60 wine "$1" >/dev/null 2>"$scratch/stderr" || status=$?
[ "$status" = 1 ] || fail "radixor.exe ended with status $status, not 1"
[ "$(wc -l <"$scratch/stderr")" = 1 ] && grep -q '^radixor: cannot open the window: ' "$scratch/stderr" \
    || fail "not one line saying so: $(cat "$scratch/stderr")"
echo "ok: $(cat "$scratch/stderr")"
