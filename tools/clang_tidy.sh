#!/usr/bin/env bash
# clang-tidy, with the checks chosen in .clang-tidy, over our own sources as
# the build compiles them (compile_commands.json); any warning fails.
#
#   tools/clang_tidy.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
tidy=$(command -v clang-tidy-14 || command -v clang-tidy) || { echo "clang-tidy is not installed" >&2; exit 1; }

# Our directories only: moc and rcc output lives in the build tree.
mapfile -t files < <(grep -o '"file": "[^"]*"' "$build/compile_commands.json" | cut -d'"' -f4 |
    grep -E "^$root/(conversion|window|app|bench)/" | sort -u)
[ ${#files[@]} -gt 0 ] || { echo "no sources of ours in $build/compile_commands.json" >&2; exit 1; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
printf '%s\n' "${files[@]}" | xargs -P 2 -n 1 "$tidy" -p "$build" --quiet >"$log" 2>&1 || status=$?
grep -v -E '^[0-9]+ warnings? (generated|treated as errors)\.$' "$log" || true
echo "clang-tidy: ${#files[@]} files, $([ "$status" -eq 0 ] && echo clean || echo FINDINGS)"
exit "$status"
