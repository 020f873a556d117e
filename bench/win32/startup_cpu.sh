# Sourced by startup.sh -c, with its programs, names and runs, a prefix
# and an X server ready: the processor time each start costs, medians.
set +e
xvfb=$(pgrep -f "Xvfb $DISPLAY " | head -1)
server=$(for p in $(pgrep wineserver); do grep -qzF "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && echo "$p"; done)
[ -n "$xvfb" ] && [ -n "$server" ] || fail "no Xvfb or wineserver to read"

ns() { awk '{print $1}' "/proc/$1/schedstat" 2>/dev/null || echo 0; }
# The program's own process is the one whose name is the file's.
process_of() {
    local comm q
    comm=$(basename "$1" | cut -c1-15)
    for q in $(pgrep -f "$(basename "$1")"); do
        [ "$(cat "/proc/$q/comm" 2>/dev/null)" = "$comm" ] && { echo "$q"; return; }
    done
}
for _ in $(seq "$runs"); do
    for i in "${!programs[@]}"; do
        s0=$(ns "$server") x0=$(ns "$xvfb")
        wine "${programs[$i]}" >/dev/null 2>&1 &
        launcher=$!
        sleep 2.5  # started and idle
        own=$(process_of "${programs[$i]}")
        [ -n "$own" ] || fail "${names[$i]} is not running"
        echo "$i $(ns "$own") $(($(ns "$server") - s0)) $(($(ns "$xvfb") - x0))" >>"$scratch/samples"
        kill "$own" "$launcher" 2>/dev/null
        wait "$launcher" 2>/dev/null
        sleep 0.3
    done
done

echo "start-up processor time under Wine $(wine --version): medians of $runs interleaved runs, load $(uptime | sed 's/.*load average: //')"
awk -v names="$(IFS='|'; echo "${names[*]}")" "$(cat "$root/bench/stats.awk")"'
    { own[$1] = own[$1] " " $2 / 1e6; srv[$1] = srv[$1] " " $3 / 1e6; x[$1] = x[$1] " " $4 / 1e6
      all[$1] = all[$1] " " ($2 + $3 + $4) / 1e6; n[$1]++ }
    END {
        count = split(names, name, "|")
        printf "%-14s %8s %11s %8s %9s %9s\n", "program", "own ms", "wineserver", "Xvfb", "total ms", "/bare"
        for (i = 0; i < count; i++)
            printf "%-14s %8.1f %11.1f %8.1f %9.1f %8.2fx\n", name[i + 1], median(own[i], n[i]), median(srv[i], n[i]),
                   median(x[i], n[i]), median(all[i], n[i]), median(all[i], n[i]) / median(all[1], n[1])
    }' "$scratch/samples"
