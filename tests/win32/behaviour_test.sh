# The behaviour cases every frontend runs, against radixor.exe under Wine:
#   behaviour_test.sh RADIXOR.EXE WINPROBE.EXE X11PROBE [TITLE-WORDS]
source "$(dirname "$0")/lib.sh"

start_x 1024x768
/usr/bin/python3 "$(dirname "$0")/behaviour.py" "$@" || fail "behaviour cases failed"
