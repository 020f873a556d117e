#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks it with lintian,
# unpacks it into a throw-away root and starts the unpacked program under an
# X server of its own until its window shows; Esc then closes it.
#   package_test.sh BUILD_DIR
source "$(dirname "$0")/e2e/lib.sh"

build=$1
work=$scratch

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
    || fail "cpack could not build the package"
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

radixor="$root/usr/bin/radixor"
start_x
start_radixor
echo "window $window is up on $DISPLAY"

# The icon the program hands the window manager: the drawn 16- and 32-pixel
# images, and a 64-pixel one for screens at twice the density. Every image
# beyond the drawn ones repeats the pixels of a drawn one a whole number of
# times, as pixel art scales without blur.
xprop -id "$window" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON >"$work/icon"
awk '
    function enlarges(S, s,    x, y) {
        if (S <= s || S % s) return 0
        for (y = 0; y < S; ++y) for (x = 0; x < S; ++x)
            if (pixel[S, y * S + x] != pixel[s, int(y * s / S) * s + int(x * s / S)]) return 0
        return 1
    }
    { n = split($0, v, /[=,] */) }
    END {
        for (i = 2; i < n; ) {
            w = v[i]; h = v[i + 1]; i += 2
            if (w != h) { printf "a %dx%d image\n", w, h; exit 1 }
            size[++count] = w; has[w] = 1
            for (p = 0; p < w * h; ++p) pixel[w, p] = v[i + p]
            i += w * h
        }
        for (a = 1; a <= count; ++a) {
            sizes = sizes " " size[a]
            if (size[a] <= 32) continue
            ok = 0
            for (b = 1; b <= count && !ok; ++b) ok = enlarges(size[a], size[b])
            if (!ok) { printf "the %d-pixel image is no whole enlargement of a drawn one\n", size[a]; exit 1 }
        }
        printf "window icon sizes:%s\n", sizes
        if (!has[16] || !has[32] || !has[64]) { print "16, 32 and 64 pixels expected"; exit 1 }
    }' "$work/icon" || fail "the window icon is not crisp pixel art at every size"

xdotool windowfocus --sync "$window" key Escape
ends_with "$app" 0
echo "Esc closed it, exit status 0"
