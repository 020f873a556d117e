#!/usr/bin/env bash
# Start-up time of radixor.exe next to a bare Win32 window, both under Wine
# on a private Xvfb, in a prefix made for the purpose and already warm.
#
#   bench/win32/startup.sh [-c] [-n RUNS] [-x NAME=PROGRAM]... [BUILD_DIR] [WINDOWS_BUILD_DIR]
#                                         (defaults: 15, build, build-win)
#
# Beside radixor.exe and the bare window run the floor that radixor.exe's
# window stands on (bare_window.cpp): the bare window with radixor.exe's
# manifest, so with common controls 6 ("themed"), and that with the
# window's 23 controls besides ("controls").
#
# -x adds another program to the rounds, for instance a radixor.exe built
# before a change, to see what the change bought in the same run.
#
# -c measures processor time instead of the clock: what starting costs the
# program's own process, the wineserver and the X server until the program
# idles, read from the kernel's schedstat. On a busy machine this swings
# far less than the clock, which other work stretches.
#
# startup_probe, from the Linux build, times each run from exec to the
# first window mapped and to the first pixels drawn into it; the runs are
# interleaved after one untimed round, and the medians compared.
set -euo pipefail

runs=15
cpu=
extra_names=()
extra_programs=()
while getopts cn:x: opt; do
    case $opt in
        c) cpu=1 ;;
        n) runs=$OPTARG ;;
        x) extra_names+=("${OPTARG%%=*}"); extra_programs+=("$(realpath "${OPTARG#*=}")") ;;
        *) echo "usage: $0 [-c] [-n RUNS] [-x NAME=PROGRAM]... [BUILD_DIR] [WINDOWS_BUILD_DIR]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
winbuild=$(cd "${2:-$root/build-win}" && pwd)
probe=$build/bench/startup_probe
names=(radixor.exe "bare Win32" themed controls)
programs=("$winbuild/app/win32/radixor.exe" "$winbuild/bench/win32/bare_window.exe"
          "$winbuild/bench/win32/themed_window.exe" "$winbuild/bench/win32/controls_window.exe")
names+=("${extra_names[@]}")
programs+=("${extra_programs[@]}")
needed=("${programs[@]}")
[ -n "$cpu" ] || needed+=("$probe")
for c in "${needed[@]}"; do
    [ -f "$c" ] || { echo "missing $c: build first" >&2; exit 1; }
done

source "$root/tests/e2e/lib.sh"
set +e
export WINEPREFIX=$scratch/wine WINEDEBUG=-all
bash "$root/tests/win32/wine.sh" start "$WINEPREFIX" gui >/dev/null || fail "no Wine prefix"
# Managed by no window manager, as startup_probe wants: it passes over
# override-redirect windows, which Wine's own placement would make.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1
trap 'bash "$root/tests/win32/wine.sh" stop "$WINEPREFIX"; cleanup' EXIT
set -e
start_x 1280x1024
[ -z "$cpu" ] || { source "$(dirname "$0")/startup_cpu.sh"; exit; }

measure() {  # index -> "map paint" on stdout
    "$probe" -- wine "${programs[$1]}" 2>/dev/null | sed -E 's/[a-z_]+=//g' | cut -d' ' -f1,2
}
for i in "${!names[@]}"; do
    [ -n "$(measure "$i")" ] || fail "${names[$i]} did not map a window"
done
for _ in $(seq "$runs"); do
    for i in "${!names[@]}"; do
        echo "$i $(measure "$i")" >>"$scratch/samples"
    done
done

echo "start-up under Wine $(wine --version): $runs interleaved runs each, Xvfb 1280x1024x24, no window manager; load $(uptime | sed 's/.*load average: //')"
awk -v names="$(IFS='|'; echo "${names[*]}")" "$(cat "$root/bench/stats.awk")"'
    { map[$1] = map[$1] " " $2; paint[$1] = paint[$1] " " $3; n[$1]++ }
    END {
        count = split(names, name, "|")
        printf "%-14s %8s %9s %9s %10s\n", "program", "map ms", "paint ms", "map/bare", "paint/bare"
        for (i = 0; i < count; i++)
            printf "%-14s %8.1f %9.1f %8.2fx %9.2fx\n", name[i + 1], median(map[i], n[i]), median(paint[i], n[i]),
                   median(map[i], n[i]) / median(map[1], n[1]), median(paint[i], n[i]) / median(paint[1], n[1])
    }' "$scratch/samples"
