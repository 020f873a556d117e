# cmake --install puts the program, its desktop entry, its AppStream
# metainfo, its icons and its manual page where desktops and man look for
# them, all under the one application id and release; the two desktop
# files pass their standard validators.
build=$1
source "$(dirname "$0")/lib.sh"

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || fail "cmake --install"
id=io.github.radixor.Radixor
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -x "$prefix/bin/radixor" ] && [ -f "$desktop" ] && [ -f "$metainfo" ] || fail "program, entry or metainfo missing"

# PNG width and height: big-endian words at bytes 16 and 20.
for size in 16 32; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')" = "${size}x${size}" ] \
        || fail "no ${size}x${size} icon at $png"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"
# The entry names the installed icon and program, and the X window class
# Qt gives the window, since its file name is no longer the program's; the
# metainfo names the entry.
for line in "Icon=$id" Exec=radixor StartupWMClass=Radixor 'Comment=Decimal/Binary/Hex/Octal Radixor'; do
    grep -qx "$line" "$desktop" || fail "the desktop entry lacks $line"
done
grep -q "<id>$id</id>" "$metainfo" && grep -q "<icon type=\"stock\">$id</icon>" "$metainfo" \
    && grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    && grep -q '<project_license>MIT</project_license>' "$metainfo" \
    || fail "the metainfo's id, icon, launchable or licence"
# One release throughout: 1.00 of 7 December 2026, package version 1.0.0.0.
grep -q '<release version="1.00" date="2026-12-07">' "$metainfo" || fail "the metainfo's release"
zcat "$prefix/share/man/man1/radixor.1.gz" | grep -qx '.TH RADIXOR 1 "December 2026" "Radixor 1.00" "User Commands"' \
    || fail "the manual page's title line: $(zcat "$prefix/share/man/man1/radixor.1.gz" | head -1)"
zcat "$prefix/share/doc/radixor/changelog.gz" | head -1 | grep -q '^radixor (1.0.0.0) ' \
    && zcat "$prefix/share/doc/radixor/changelog.gz" | grep -q '  Mon, 07 Dec 2026 00:00:00 +0000$' \
    || fail "the changelog's version or date"
echo "ok: installed and validated under $prefix"
