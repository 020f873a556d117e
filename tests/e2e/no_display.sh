# Whatever keeps Qt from opening the window, radixor says what failed in one
# line on stderr and ends with status 1 rather than aborting; a platform
# that needs no display still runs.
radixor=$1
source "$(dirname "$0")/lib.sh"

unused=1000
while [ -e "/tmp/.X11-unix/X$unused" ] || [ -e "/tmp/.X$unused-lock" ]; do unused=$((unused + 1)); done
# No compositor listens in the scratch runtime folder lib.sh sets up.
[ ! -e "$XDG_RUNTIME_DIR/wayland-0" ] || fail "a Wayland socket in the scratch runtime folder"

# Qt's xcb plugin where Qt finds it, over a library it cannot load.
broken=$scratch/broken
mkdir -p "$broken/platforms" "$broken/lib"
cp "$(qtpaths6 --query QT_INSTALL_PLUGINS)/platforms/libqxcb.so" "$broken/platforms/"
: >"$broken/lib/libQt6XcbQpa.so.6"
# With /tmp read-only, in a mount namespace of its own.
readonly_tmp() { unshare -m sh -c 'mount --bind /tmp /tmp && mount -o remount,bind,ro /tmp && exec "$@"' sh "$@"; }

# situation | what the line must name (extended regex) | how radixor is started
cases=$(cat <<EOF
DISPLAY unset                        | no display named                     | env -u DISPLAY "\$radixor"
DISPLAY empty                        | no display named                     | env DISPLAY= "\$radixor"
no server on DISPLAY                 | display :$unused\$                   | env DISPLAY=:$unused "\$radixor"
DISPLAY not a display name           | display garbage\$                    | env DISPLAY=garbage "\$radixor"
-display with no server there        | display :$unused\$                   | env -u DISPLAY "\$radixor" -display :$unused
-display '' over a set DISPLAY       | no display named                     | env DISPLAY=:$unused "\$radixor" -display ''
QT_QPA_PLATFORM=xcb, DISPLAY unset   | no display named                     | env -u DISPLAY QT_QPA_PLATFORM=xcb "\$radixor"
QT_QPA_PLATFORM=XCB, no server       | display :$unused\$                   | env DISPLAY=:$unused QT_QPA_PLATFORM=XCB "\$radixor"
QT_QPA_PLATFORM=xcb:foo, no server   | display :$unused\$                   | env DISPLAY=:$unused QT_QPA_PLATFORM=xcb:foo "\$radixor"
QT_QPA_PLATFORM='wayland;xcb'        | wl_display.*; .*no display named     | env -u DISPLAY 'QT_QPA_PLATFORM=wayland;xcb' "\$radixor"
XDG_SESSION_TYPE=wayland             | wl_display.*; .*no display named     | env -u DISPLAY XDG_SESSION_TYPE=wayland "\$radixor"
QT_QPA_PLATFORM=wayland, none there  | wl_display                           | env QT_QPA_PLATFORM=wayland "\$radixor"
-platform ''                         | no platform \\(Qt has: .*xcb         | env DISPLAY=:$unused "\$radixor" -platform ''
a platform Qt does not have          | plugin "nosuch" \\(Qt has: .*xcb     | env QT_QPA_PLATFORM=nosuch "\$radixor"
-platform nosuch                     | plugin "nosuch"                      | env DISPLAY=:$unused "\$radixor" -platform nosuch
linuxfb with no framebuffer          | /nonexistent/fb0 .*found no screen\$ | env QT_QPA_PLATFORM=linuxfb:fb=/nonexistent/fb0 "\$radixor"
xcb found but not loadable           | "xcb" in .* even though it was found.*\\(Qt has: .*xcb | env DISPLAY=:$unused QT_QPA_PLATFORM_PLUGIN_PATH=\$broken/platforms LD_LIBRARY_PATH=\$broken/lib "\$radixor"
/tmp read-only                       | no display named                     | readonly_tmp env -u DISPLAY "\$radixor"
EOF
)

count=0
while IFS='|' read -r what names command; do
    what=$(sed 's/ *$//' <<<"$what") names=$(sed 's/^ *//; s/ *$//' <<<"$names")
    status=0
    eval "$command" >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
    [ "$status" = 1 ] || fail "$what: status $status, not 1; stderr: $(cat "$scratch/err")"
    [ "$(wc -l <"$scratch/err")" = 1 ] && grep -qE "^radixor: cannot open the window: .*$names" "$scratch/err" \
        || fail "$what: stderr is not one line naming /$names/: $(cat "$scratch/err")"
    [ ! -s "$scratch/out" ] || fail "$what: wrote to stdout"
    echo "$what: $(cat "$scratch/err")"
    count=$((count + 1))
done <<<"$cases"
[ "$count" = 18 ] || fail "$count cases ran, not 18"

# Diagnostics asked of Qt reach stderr whole, the line after them; fatal
# warnings still abort, after the line.
status=0
env -u DISPLAY QT_DEBUG_PLUGINS=1 "$radixor" 2>"$scratch/err" || status=$?
[ "$status" = 1 ] && [ "$(grep -c 'factoryloader: Got keys from plugin meta data' "$scratch/err")" -gt 3 ] \
    && grep -q 'This application failed to start' "$scratch/err" \
    && tail -1 "$scratch/err" | grep -q '^radixor: cannot open the window: .*no display named' \
    || fail "QT_DEBUG_PLUGINS=1: status $status, $(wc -l <"$scratch/err") lines: $(head -c 3000 "$scratch/err")"
status=0
env DISPLAY=:$unused QT_LOGGING_RULES='qt.qpa.*=true' "$radixor" 2>"$scratch/err" || status=$?
[ "$status" = 1 ] && grep -q '^qt\.qpa\..*: ' "$scratch/err" && [ "$(wc -l <"$scratch/err")" -gt 1 ] \
    && tail -1 "$scratch/err" | grep -q "^radixor: cannot open the window: .*:$unused" \
    || fail "QT_LOGGING_RULES: status $status, stderr: $(head -c 3000 "$scratch/err")"
status=0
env -u DISPLAY QT_FATAL_WARNINGS=1 "$radixor" 2>"$scratch/err" || status=$?
[ "$status" = 134 ] && [ "$(wc -l <"$scratch/err")" = 1 ] \
    && grep -q '^radixor: cannot open the window: .*no display named' "$scratch/err" \
    || fail "QT_FATAL_WARNINGS=1: status $status, stderr: $(cat "$scratch/err")"
echo "ok: diagnostics pass through, fatal warnings name their reason"

# Still running after two seconds means it started; timeout then ends it.
status=0
timeout 2 env -u DISPLAY QT_QPA_PLATFORM=offscreen "$radixor" >/dev/null 2>&1 || status=$?
[ "$status" = 124 ] || fail "offscreen without a display: status $status, not still running"
echo "ok: $count ways of failing to start, one line each; offscreen without a display runs"
