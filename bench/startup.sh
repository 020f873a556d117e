#!/usr/bin/env bash
# Start-up time and memory of radixor next to a bare Qt Widgets window and
# any peer calculator installed here, on a private Xvfb.
#
#   bench/startup.sh [-n RUNS] [-l LOCALE] [-x NAME=PROGRAM]... [BUILD_DIR]
#                                   (defaults: 15, C.UTF-8, build)
#
# -x adds another program to the rounds, for instance radixor built before
# a change, to see what the change bought in the same run.
#
# LOCALE is the desktop's language every program starts in; under one Qt
# has a translation for, radixor loads it.
#
# Runs are interleaved (one of each program per round, after one untimed
# warm-up round) so that drifting machine load hits every program alike.
# Each run is measured by startup_probe: exec to the first MapNotify of a
# top-level window, exec to the first Damage report inside it, the CPU time
# the program's threads spent up to that report, and RSS/PSS from
# /proc/PID/smaps_rollup one second after the map.
set -euo pipefail

runs=15
language=C.UTF-8
extra_names=()
extra_programs=()
while getopts n:l:x: opt; do
    case $opt in
        n) runs=$OPTARG ;;
        l) language=$OPTARG ;;
        x) extra_names+=("${OPTARG%%=*}"); extra_programs+=("$(realpath "${OPTARG#*=}")") ;;
        *) echo "usage: $0 [-n RUNS] [-l LOCALE] [-x NAME=PROGRAM]... [BUILD_DIR]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
probe=$build/bench/startup_probe

names=(radixor "bare Qt")
commands=("$build/app/radixor" "$build/bench/bare_window")
for peer in galculator speedcrunch kcalc qalculate-gtk gnome-calculator; do
    if command -v "$peer" >/dev/null; then
        names+=("$peer")
        commands+=("$(command -v "$peer")")
    fi
done
names+=("${extra_names[@]}")
commands+=("${extra_programs[@]}")
for c in "$probe" "${commands[@]:0:2}" "${extra_programs[@]}"; do
    [ -x "$c" ] || { echo "missing $c: build first" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display and reports it once the server listens.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }

# Every program gets the same clean environment: no desktop, no session
# bus, an empty home, and Qt left to pick its platform (xcb) itself.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
run_env=(env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
         DISPLAY=":$(cat "$work/display")" LANG="$language")
# A locale not installed here (locale complains) is built for the programs.
if LANG=$language locale 2>&1 >/dev/null | grep -q .; then
    mkdir "$work/locale"
    localedef -i "${language%%.*}" -f UTF-8 "$work/locale/$language" 2>/dev/null \
        || { echo "no locale $language" >&2; exit 1; }
    run_env+=(LOCPATH="$work/locale")
fi

measure() {  # index -> "map paint rss pss cpu" on stdout
    local line
    line=$("${run_env[@]}" "$probe" -- "${commands[$1]}" 2>/dev/null) || return 1
    echo "$line" | sed -E 's/[a-z_]+=//g'
}

for i in "${!names[@]}"; do
    measure "$i" >/dev/null || { echo "${names[$i]} did not map a window" >&2; exit 1; }
done
for round in $(seq "$runs"); do
    for i in "${!names[@]}"; do
        echo "$i $(measure "$i")" >>"$work/samples"
    done
done

echo "start-up: $runs interleaved runs each, Xvfb 1280x1024x24, no window manager, no session bus, LANG=$language"
echo "map = exec to first window mapped; paint = exec to first pixels drawn in it; cpu = the program's CPU time to that paint; memory 1 s after map"
awk -v names="$(IFS='|'; echo "${names[*]}")" "$(cat "$root/bench/stats.awk")"'
    { map[$1] = map[$1] " " $2; paint[$1] = paint[$1] " " $3
      rss[$1] = rss[$1] " " $4 / 1024; pss[$1] = pss[$1] " " $5 / 1024; cpu[$1] = cpu[$1] " " $6; n[$1]++ }
    END {
        count = split(names, name, "|")
        printf "%-18s %-22s %-22s %8s %8s %9s %10s %9s %8s %8s\n", "program", "map ms min/med/max",
               "paint ms min/med/max", "RSS MiB", "PSS MiB", "map/bare", "paint/bare", "RSS-bare", "cpu ms",
               "cpu/bare"
        bareMap = median(map[1], n[1]); barePaint = median(paint[1], n[1]); bareRss = median(rss[1], n[1])
        bareCpu = median(cpu[1], n[1])
        for (i = 0; i < count; i++) {
            printf "%-18s %-22s %-22s %8.2f %8.1f %8.2fx %9.2fx %+8.2f %8.1f %7.2fx\n", name[i + 1],
                   stats(map[i], n[i]), stats(paint[i], n[i]), median(rss[i], n[i]), median(pss[i], n[i]),
                   median(map[i], n[i]) / bareMap, median(paint[i], n[i]) / barePaint,
                   median(rss[i], n[i]) - bareRss, median(cpu[i], n[i]), median(cpu[i], n[i]) / bareCpu
        }
    }' "$work/samples"
