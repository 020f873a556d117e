#!/usr/bin/env bash
# The executable carries the hardening of an optimised build: PIE, stack
# protector, _FORTIFY_SOURCE, full RELRO (hardening-check) and a stack that
# is not executable (the GNU_STACK header).
#
#   tools/hardening_check.sh EXECUTABLE
#
# Control-flow protection is not required: Debian 12's own start files
# (Scrt1.o, crti.o) carry no IBT/SHSTK note, so no program linked here can
# be marked with it, whatever it is compiled with.
set -euo pipefail
exe=${1:?usage: $0 EXECUTABLE}
hardening-check --nocfprotection "$exe"
stack=$(readelf -lW "$exe" | grep GNU_STACK)
echo " Stack: $(echo "$stack" | awk '{print $(NF-1)}')"
if echo "$stack" | awk '{print $(NF-1)}' | grep -q E; then
    echo "$exe: executable stack" >&2
    exit 1
fi
