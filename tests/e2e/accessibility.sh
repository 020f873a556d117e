# What a screen reader hears: radixor under a window manager, with a
# session bus, the accessibility bus and its registry as a desktop starts
# them, read over AT-SPI by accessibility.py.
#
#   accessibility.sh RADIXOR X11PROBE LOCALE CHECKS...
#
# LOCALE is the desktop's language (LANG). CHECKS go to accessibility.py as
# they are; with "quiet", radixor must also write nothing at all to stderr.
radixor=$1
x11probe=$2
locale=$3
shift 3
source "$(dirname "$0")/lib.sh"

# Every process the test started is gone once it ends: lib.sh ends its
# jobs, the accessibility bus goes with its launcher, and leftovers finds
# and ends any that got away, failing the test.
finish() {
    local status=$?
    # The launcher collects its bus when that ends first; otherwise the bus
    # would be left to init to collect.
    if [ -n "${launcher:-}" ]; then
        pkill -P "$launcher" || true
        eventually sh -c "! pgrep -P $launcher" || true
    fi
    cleanup
    sleep 0.2
    leftovers || status=1
    exit "$status"
}
trap finish EXIT

use_locale "$locale"

launcher=
start_accessibility_bus() {
    local a11y_bus
    dbus-daemon --session --nofork --print-address=3 3>"$scratch/session" 2>"$scratch/dbus.log" &
    eventually test -s "$scratch/session" || fail "no session bus"
    export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$scratch/session")
    /usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$scratch/launcher.log" &
    launcher=$!
    # Asking org.a11y.Bus before the launcher holds the name would start
    # a second launcher, one this test does not own.
    launcher_up() {
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q true
    }
    eventually launcher_up || fail "at-spi-bus-launcher did not take its name"
    a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress | tr -d ' ')
    # Started here rather than on demand, so that it stays this test's job.
    /usr/libexec/at-spi2-registryd >"$scratch/registry.log" 2>&1 &
    registry_up() {
        dbus-send --bus="$a11y_bus" --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.atspi.Registry | grep -q true
    }
    eventually registry_up || fail "the registry did not start"
}

start_x 1280x800
start_wm
start_accessibility_bus
"$x11probe" >"$scratch/bells" 2>"$scratch/bells.log" &
eventually grep -q ready "$scratch/bells" || fail "x11probe did not start"
export BELLS=$scratch/bells
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_radixor

quiet=
for check in "$@"; do
    [ "$check" = quiet ] && quiet=1
done
timeout 90 /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$@" || fail "accessibility.py: status $?"
if [ -n "$quiet" ] && [ -s "$scratch/radixor.err" ]; then
    fail "radixor wrote to stderr under $locale"
fi
xdotool key Escape
ends_with "$app" 0
