# The Windows resource script compiles with the MinGW resource compiler,
# and what it compiled to holds the version record and both icon images.
rc=$1
source "$(dirname "$0")/lib.sh"

windres=x86_64-w64-mingw32-windres
"$windres" --preprocessor=cpp -I "$(dirname "$rc")" -i "$rc" -O res -o "$scratch/radixor.res" \
    || fail "windres could not compile $rc"
"$windres" --preprocessor=cpp -I "$(dirname "$rc")" -i "$rc" -O coff -o "$scratch/radixor.o" \
    || fail "windres could not make an object file"
# Read back from the compiled binary, not from the script.
"$windres" -i "$scratch/radixor.res" -O rc >"$scratch/back.rc" || fail "windres could not read the .res back"

expect() {
    grep -qF -- "$1" "$scratch/back.rc" || fail "no '$1' in the compiled resources"
}
expect ' FILEVERSION 1, 0, 0, 0'
expect ' PRODUCTVERSION 1, 0, 0, 0'
expect 'BLOCK "040904B0"'
expect 'VALUE "FileVersion", "1.00"'
expect 'VALUE "ProductVersion", "1.00"'
expect 'VALUE "FileDescription", "Decimal/Binary/Hex/Octal Radixor"'
expect 'VALUE "ProductName", "Radixor"'
expect 'VALUE "InternalName", "Radixor"'
expect 'VALUE "Translation", 0x409, 1200'
expect 'LANGUAGE 9, 1'
# The icon group: width, height and colour count as octal escapes, then
# planes and bits per pixel.
expect '"\040\040\020\000", 1, 4'
expect '"\020\020\020\000", 1, 4'
[ "$(grep -c 'RT_ICON \*/' "$scratch/back.rc")" = 2 ] || fail "not two icon images"
echo "ok: version record and icon read back from the compiled resources"
