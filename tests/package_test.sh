#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks it with lintian,
# unpacks it into a throw-away root and starts the unpacked program under an
# X server of its own until its window shows; Esc then closes it.
#   package_test.sh BUILD_DIR
set -euo pipefail

build=$1
title='Decimal/Binary/Hex/Octal Radixor'
work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack could not build the package"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, got: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }
echo "built $(basename "$deb")"
dpkg-deb -f "$deb"

expected="$(field Package)_$(field Version)_$(field Architecture).deb"
[ "$(basename "$deb")" = "$expected" ] || fail "file named $(basename "$deb"), not $expected"
[ "$(field Package)" = radixor ] || fail "package name $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture $(field Architecture)"
[ "$(field Section)" = utils ] || fail "section $(field Section)"

# dpkg-shlibdeps found the libraries the program links, and this machine
# has each in a version that satisfies the package.
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$lib" <<<"$names" || fail "Depends lacks $lib: $depends"
done
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
    entry=${entry%%|*}
    read -r name relation version <<<"${entry//[()]/ }"
    installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed"
    if [ -n "${relation:-}" ]; then
        dpkg --compare-versions "$installed" "$relation" "$version" \
            || fail "$name $installed does not satisfy $relation $version"
    fi
done

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/radixor \
            ./usr/share/applications/radixor.desktop \
            ./usr/share/metainfo/io.github.radixor.Radixor.metainfo.xml \
            ./usr/share/icons/hicolor/16x16/apps/radixor.png \
            ./usr/share/icons/hicolor/32x32/apps/radixor.png \
            ./usr/share/man/man1/radixor.1.gz \
            ./usr/share/doc/radixor/copyright \
            ./usr/share/doc/radixor/changelog.gz; do
    grep -qxF "$path" <<<"$contents" || fail "package lacks $path"
done

status=0
lintian --tag-display-limit 0 --display-info --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
echo "lintian, status $status:"
grep -v 'root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"

root="$work/root"
dpkg -x "$deb" "$root"
if ldd "$root/usr/bin/radixor" | grep -q 'not found'; then
    ldd "$root/usr/bin/radixor"
    fail "the installed program misses a library"
fi

# An X server of its own, on whatever display number is free.
exec 3>"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM

"$root/usr/bin/radixor" >"$work/app.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --name "^${title}\$" | head -n1) \
    || { cat "$work/app.log"; fail "no window titled '$title' appeared"; }
echo "window $window is up on $DISPLAY"

xdotool windowfocus --sync "$window" key Escape
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
    fail "Esc did not close the program"
fi
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || { cat "$work/app.log"; fail "the program exited with status $status"; }
echo "Esc closed it, exit status 0"
