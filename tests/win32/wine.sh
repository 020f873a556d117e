# The Wine prefixes the tests run in, made before the first test and
# stopped after the last:  wine.sh start|stop PREFIX [gui]
# A wineserver that a test starts by the way keeps ctest's output pipe
# open, and a fresh prefix takes seconds to make: both are done here, with
# every output to /dev/null. A prefix for windows is made on an X server,
# since one made without a display cannot show the next window at once.
set -euo pipefail
export WINEPREFIX=$2 WINEDEBUG=-all
case $1 in
start)
    source "$(dirname "$0")/../e2e/lib.sh"
    [ "${3:-}" != gui ] || start_x
    mkdir -p "$WINEPREFIX"
    setsid wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    # Windows drawn and placed by Wine itself, as on Windows: a window
    # manager would place the window its own way.
    [ "${3:-}" != gui ] \
        || wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    echo "ok: $WINEPREFIX ready"
    ;;
stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
