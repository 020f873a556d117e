# cmake --install puts the program, its desktop entry, its AppStream
# metainfo and its icons where desktops look for them, and the two files
# pass their standard validators.
build=$1
source "$(dirname "$0")/lib.sh"

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || fail "$(cat "$scratch/install.log")"

desktop=$prefix/share/applications/radixor.desktop
metainfo=$prefix/share/metainfo/io.github.radixor.Radixor.metainfo.xml
[ -x "$prefix/bin/radixor" ] || fail "no bin/radixor"
[ -f "$desktop" ] || fail "no desktop entry"
[ -f "$metainfo" ] || fail "no metainfo"

# PNG width and height: big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'; }
for size in 16 32; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/radixor.png
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $(png_size "$png")"
done

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"

# The entry names the installed icon and program, the metainfo the entry.
grep -qx 'Icon=radixor' "$desktop" || fail "the desktop entry names another icon"
grep -qx 'Exec=radixor' "$desktop" || fail "the desktop entry starts another program"
grep -qx 'Comment=Decimal/Binary/Hex/Octal Radixor' "$desktop" || fail "the desktop entry's comment"
grep -q '<launchable type="desktop-id">radixor.desktop</launchable>' "$metainfo" \
    || fail "the metainfo launches another desktop entry"
grep -q '<release version="1.00"' "$metainfo" || fail "the metainfo's release is not 1.00"
echo "ok: installed and validated under $prefix"
