# The Windows packages as shipped, from cpack: the ZIP holds radixor.exe
# alone; the installer, run silently under Wine, puts the program and its
# uninstaller in the 64-bit programs folder, a shortcut in the Start menu
# and the version in the installed programs; the uninstaller, run silently,
# takes all of it away again.
build=$1
source "$(dirname "$0")/../e2e/lib.sh"
export WINEDEBUG=-all

cpack --config "$build/CPackConfig.cmake" -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 || fail "cpack"
zip=$(echo "$scratch"/packages/Radixor-*-win64.zip)
installer=$(echo "$scratch"/packages/Radixor-*-win64.exe)
[ "$(unzip -Z1 "$zip")" = radixor.exe ] || fail "the ZIP holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Radixor"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Radixor'
shortcuts() { find "$drive" -name 'Radixor.lnk' -path '*Start Menu*'; }
wine "$installer" /S >"$scratch/install.log" 2>&1 || fail "the installer failed"
[ -f "$folder/radixor.exe" ] && [ -f "$folder/Uninstall.exe" ] || fail "nothing in $folder"
cmp -s "$folder/radixor.exe" <(unzip -p "$zip" radixor.exe) || fail "the installed radixor.exe is not the ZIP's"
[ -n "$(shortcuts)" ] || fail "no Start-menu shortcut"
wine reg query "$key" /v DisplayVersion 2>/dev/null | tr -d '\r' | grep -q 'DisplayVersion *REG_SZ *1.0.0.0$' \
    || fail "no DisplayVersion 1.0.0.0 under $key"

# The uninstaller runs a copy of itself and returns at once.
wine "$folder/Uninstall.exe" /S >"$scratch/uninstall.log" 2>&1 || fail "the uninstaller failed"
eventually sh -c "[ ! -e '$folder/radixor.exe' ]" || fail "radixor.exe is still installed"
eventually sh -c "! wine reg query '$key' >/dev/null 2>&1" || fail "the installed programs still list it"
[ -z "$(shortcuts)" ] || fail "the Start-menu shortcut is left: $(shortcuts)"
echo "ok: $(basename "$zip") holds radixor.exe; $(basename "$installer") installed and uninstalled silently"
