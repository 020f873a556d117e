# The Windows resource script compiles with the MinGW resource compiler,
# and what it compiled to holds the version record and the five icon images;
# given radixor.exe, the program holds them.
rc=$1
source "$(dirname "$0")/lib.sh"

windres() { x86_64-w64-mingw32-windres --preprocessor=cpp -I "$(dirname "$rc")" "$@"; }
if [[ $rc == *.exe ]]; then
    # A program: what was linked into it.
    windres -i "$rc" -O rc >"$scratch/back.rc" || fail "windres could not read the resources of $rc"
else
    windres -i "$rc" -O res -o "$scratch/radixor.res" || fail "windres could not compile $rc"
    windres -i "$rc" -O coff -o "$scratch/radixor.o" || fail "windres could not make an object file"
    # Read back from the compiled binary, not from the script.
    windres -i "$scratch/radixor.res" -O rc >"$scratch/back.rc" || fail "windres could not read the .res back"
fi

# Each line must be in the compiled resources. The icon group's give width,
# height and colour count as octal escapes, then planes and bits per pixel.
while IFS= read -r expected; do
    grep -qF -- "$expected" "$scratch/back.rc" || fail "no '$expected' in the compiled resources"
done <<'EOF_EXPECTED'
 FILEVERSION 1, 0, 0, 0
 PRODUCTVERSION 1, 0, 0, 0
BLOCK "040904B0"
VALUE "FileVersion", "1.00"
VALUE "ProductVersion", "1.00"
VALUE "FileDescription", "Decimal/Binary/Hex/Octal Radixor"
VALUE "ProductName", "Radixor"
VALUE "InternalName", "Radixor"
VALUE "LegalCopyright", "Copyright 2026 The Radixor developers"
VALUE "Translation", 0x409, 1200
LANGUAGE 9, 1
"\000\000\020\000", 1, 4
"\100\100\020\000", 1, 4
"\060\060\020\000", 1, 4
"\040\040\020\000", 1, 4
"\020\020\020\000", 1, 4
EOF_EXPECTED
[ "$(grep -c 'RT_ICON \*/' "$scratch/back.rc")" = 5 ] || fail "not five icon images"
echo "ok: version record and icon read back from the compiled resources"
