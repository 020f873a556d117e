#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks it with lintian,
# unpacks it into a throw-away root and starts the unpacked program under an
# X server of its own until its window shows; Esc then closes it.
#   package_test.sh BUILD_DIR
source "$(dirname "$0")/e2e/lib.sh"

cpack -G DEB --config "$1/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 \
    || fail "cpack could not build the package"
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, got: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }
dpkg-deb -f "$deb"
[ "$(basename "$deb")" = "radixor_$(field Version)_$(dpkg --print-architecture).deb" ] \
    || fail "file named $(basename "$deb")"
[ "$(field Section)" = utils ] || fail "section $(field Section)"
# Without Qt's translations the context menu stays English, nothing worse.
[ "$(field Recommends)" = qt6-translations-l10n ] || fail "recommends '$(field Recommends)'"

# dpkg-shlibdeps found the libraries the program links, and this machine
# has each in a version that satisfies the package.
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -qxF "$lib" || fail "Depends lacks $lib: $depends"
done
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
    entry=${entry%%|*}
    read -r name relation version <<<"${entry//[()]/ }"
    installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed"
    [ -z "${relation:-}" ] || dpkg --compare-versions "$installed" "$relation" "$version" \
        || fail "$name $installed does not satisfy $relation $version"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
id=io.github.radixor.Radixor
for path in bin/radixor share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/{16x16,32x32}/apps/$id.png share/man/man1/radixor.1.gz \
            share/doc/radixor/{copyright,changelog.gz}; do
    grep -qxF "./usr/$path" <<<"$contents" || fail "package lacks /usr/$path"
done

status=0
lintian --tag-display-limit 0 --display-info --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || status=$?
echo "lintian, status $status:"
grep -v 'root privileges' "$scratch/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"

dpkg -x "$deb" "$scratch/root"
radixor="$scratch/root/usr/bin/radixor"
! ldd "$radixor" | grep 'not found' || fail "the installed program misses a library"
start_x
start_radixor
echo "window $window is up on $DISPLAY"

# The icon handed to the window manager: the drawn 16- and 32-pixel images,
# and a 64-pixel one for screens at twice the density that repeats the
# pixels of a drawn one a whole number of times, as pixel art scales
# without blur.
xprop -id "$window" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON | awk '
    function enlarges(S, s,    x, y) {
        if (S <= s || S % s) return 0
        for (y = 0; y < S; ++y) for (x = 0; x < S; ++x)
            if (pixel[S, y * S + x] != pixel[s, int(y * s / S) * s + int(x * s / S)]) return 0
        return 1
    }
    { n = split($0, v, /[=,] */) }
    END {
        for (i = 2; i < n; i += w * w) {
            w = v[i]; i += 2
            if (w != v[i - 1]) { print "a non-square image"; exit 1 }
            size[++count] = w; has[w] = 1; sizes = sizes " " w
            for (p = 0; p < w * w; ++p) pixel[w, p] = v[i + p]
        }
        print "window icon sizes:" sizes
        if (count != 3 || !has[16] || !has[32] || !has[64]) { print "16, 32 and 64 pixels expected"; exit 1 }
        for (a = 1; a <= count; ++a)
            if (size[a] > 32 && !enlarges(size[a], 16) && !enlarges(size[a], 32)) {
                printf "the %d-pixel image is no whole enlargement of a drawn one\n", size[a]; exit 1
            }
    }' || fail "the window icon is not crisp pixel art at every size"

xdotool windowfocus --sync "$window" key Escape
ends_with "$app" 0
echo "Esc closed it, exit status 0"
