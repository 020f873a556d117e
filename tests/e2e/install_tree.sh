# cmake --install puts the program, its desktop entry, its AppStream
# metainfo and its icons where desktops look for them, and the two files
# pass their standard validators.
build=$1
source "$(dirname "$0")/lib.sh"

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || fail "cmake --install"
desktop=$prefix/share/applications/radixor.desktop
metainfo=$prefix/share/metainfo/io.github.radixor.Radixor.metainfo.xml
[ -x "$prefix/bin/radixor" ] && [ -f "$desktop" ] && [ -f "$metainfo" ] || fail "program, entry or metainfo missing"

# PNG width and height: big-endian words at bytes 16 and 20.
for size in 16 32; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/radixor.png
    [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')" = "${size}x${size}" ] \
        || fail "no ${size}x${size} icon at $png"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"
# The entry names the installed icon and program, the metainfo the entry.
for line in Icon=radixor Exec=radixor 'Comment=Decimal/Binary/Hex/Octal Radixor'; do
    grep -qx "$line" "$desktop" || fail "the desktop entry lacks $line"
done
grep -q '<launchable type="desktop-id">radixor.desktop</launchable>' "$metainfo" \
    && grep -q '<release version="1.00"' "$metainfo" || fail "the metainfo's launchable or release"
echo "ok: installed and validated under $prefix"
