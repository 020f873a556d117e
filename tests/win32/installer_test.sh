# The Windows packages as shipped, from cpack, under Wine: the ZIP holds
# radixor.exe alone; the installer carries its version record and icon,
# refuses an old Windows, a destination it cannot write and a drive that
# does not exist without registering anything, changes nothing while
# Radixor runs, keeps one installation, lists it with its publisher,
# version, size and icon, and its uninstaller takes away what it made,
# leaving a user's file and so its folder.
#   installer_test.sh BUILD_DIR
build=$1
source "$(dirname "$0")/../e2e/lib.sh"
export WINEDEBUG=-all
# Wine's menu builder would copy the shortcuts into this machine's menus.
export WINEDLLOVERRIDES=winemenubuilder.exe=d

cpack --config "$build/CPackConfig.cmake" -B "$scratch/packages" >"$scratch/cpack.log" 2>&1 || fail "cpack"
zip=$(echo "$scratch"/packages/Radixor-*-win64.zip)
installer=$(echo "$scratch"/packages/Radixor-*-win64.exe)
[ "$(unzip -Z1 "$zip")" = radixor.exe ] || fail "the ZIP holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
unzip -q "$zip" -d "$scratch/zip"

x86_64-w64-mingw32-windres -i "$installer" -O rc >"$scratch/installer.rc" || fail "windres cannot read the installer"
for line in '"LegalCopyright", "Copyright 2026 The Radixor developers"' '"ProductVersion", "1.00"' \
    '"CompanyName", "The Radixor developers"' '"\000\000\020\000", 1, 4' '"\020\020\020\000", 1, 4'; do
    grep -qF "$line" "$scratch/installer.rc" || fail "the installer's resources lack $line"
done

drive=$WINEPREFIX/drive_c
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Radixor'
program_files='C:\Program Files\Radixor'
# A value of the entry as last read by read_entry.
read_entry() { wine reg query "$entry" 2>/dev/null | tr -d '\r' >"$scratch/entry"; }
value() { awk -v v="$1" '$1 == v { $1 = $2 = ""; sub(/^ +/, ""); print }' "$scratch/entry"; }
unix() { local path=${1#C:\\}; echo "$drive/${path//\\//}"; }
install() { wine "$installer" /S "$@" >>"$scratch/install.log" 2>&1; }
shortcuts() { find "$drive" -iname '*radixor*.lnk' | sort; }
# What an installer leaves in the prefix: files and folders but the
# temporary ones, and registry keys of Radixor's where installers write
# (all of HKLM would take Wine ten seconds to list).
traces() {
    find "$drive" -path '*/Temp' -prune -o -print | sort
    wine reg export 'HKCU\Software' "$scratch/user.reg" /y >/dev/null 2>&1
    { iconv -f UTF-16 -t UTF-8 "$scratch/user.reg" | grep -v AppDefaults
      for key in 'HKLM\Software' 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'; do
          wine reg query "$key" 2>/dev/null
      done; } | tr -d '\r' | grep -i radixor || true
}
# Fails unless nothing was installed or registered.
nothing_there() {
    ! wine reg query "$entry" >/dev/null 2>&1 || fail "$1: an uninstall entry is registered"
    [ -z "$(shortcuts)" ] || fail "$1: shortcuts are made: $(shortcuts)"
    [ ! -e "$(unix "$program_files")" ] || fail "$1: installed into Program Files"
}
# Wine tells programs it is Windows 7 unless told otherwise per program.
windows() {
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$installer")" /v Version /d "$1" /f >/dev/null 2>&1
}
start_radixor_exe() {
    wine "$1" 2>>"$scratch/radixor.err" &
    app=$!
    eventually xdotool search --onlyvisible --name '^Decimal/Binary/Hex/Octal Radixor$' || fail "radixor.exe shows no window"
}
stop_radixor_exe() { kill "$app"; wait "$app" || true; }
# The uninstaller hands over to a copy of itself and returns at once; run
# with _?= in its folder it runs there and its status is the uninstall's.
# _?= takes the rest of the line unquoted, which only cmd passes on.
uninstall_in_place() {
    printf '@"%s\\Uninstall.exe" /S _?=%s\r\n@exit /b %%errorlevel%%\r\n' "$1" "$1" >"$scratch/uninstall.bat"
    wine cmd /c "$(winepath -w "$scratch/uninstall.bat")" >>"$scratch/uninstall.log" 2>&1
}
# The entry goes last: once it is gone, the rest must be.
uninstall() {
    wine "$1\\Uninstall.exe" /S >>"$scratch/uninstall.log" 2>&1 || fail "the uninstaller failed to start"
    eventually sh -c "! wine reg query '$entry'" || fail "the uninstall entry is still there"
}

start_x
[ ! -e "$WINEPREFIX/dosdevices/q:" ] || fail "drive Q: exists in $WINEPREFIX"
# What a run that failed half-way left in the prefix.
wine reg delete "$entry" /f >/dev/null 2>&1 || true
wine reg delete 'HKLM\Software\Radixor maintainers' /f >/dev/null 2>&1 || true
rm -rf "$(unix "$program_files")" "$drive/Tools"
shortcuts | while read -r link; do rm -f "$link"; done
traces >"$scratch/before"

windows win81
status=0; install || status=$?
[ "$status" != 0 ] || fail "installed on Windows 8.1"
nothing_there "Windows 8.1"
windows win10
for folder in 'Z:\proc\radixor' 'Q:\nowhere'; do
    status=0; install "/D=$folder" || status=$?
    [ "$status" != 0 ] || fail "status 0 for /D=$folder"
    nothing_there "/D=$folder"
done

install || fail "the installer failed"
folder=$(unix "$program_files")
cmp -s "$folder/radixor.exe" "$scratch/zip/radixor.exe" || fail "the installed radixor.exe is not the ZIP's"
[ -f "$folder/Uninstall.exe" ] || fail "no uninstaller"
[ "$(shortcuts)" = "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Radixor.lnk" ] \
    || fail "Start-menu shortcuts: $(shortcuts)"
read_entry
for pair in 'DisplayName=Radixor' 'DisplayVersion=1.00' 'Publisher=The Radixor developers' \
    "DisplayIcon=$program_files\\radixor.exe,0" "InstallLocation=$program_files" \
    "UninstallString=\"$program_files\\Uninstall.exe\""; do
    [ "$(value "${pair%%=*}")" = "${pair#*=}" ] || fail "${pair%%=*} is '$(value "${pair%%=*}")', not '${pair#*=}'"
done
# In KiB, as the installed programs show it.
size=$(( $(value EstimatedSize) ))
kib=$(( $(cat "$folder"/* | wc -c) / 1024 ))
[ $((size - kib)) -ge -2 ] && [ $((size - kib)) -le 2 ] || fail "EstimatedSize $size KiB, the files $kib KiB"

# An upgrade over a running Radixor, then the uninstaller: nothing changes,
# and neither reports success. Once it is closed the upgrade goes through.
printf 'an older build' >>"$folder/radixor.exe"
cp "$folder/radixor.exe" "$scratch/older.exe"
start_radixor_exe "$folder/radixor.exe"
status=0; install || status=$?
[ "$status" != 0 ] || fail "status 0 for an install over the running program"
cmp -s "$folder/radixor.exe" "$scratch/older.exe" || fail "the install changed the running program's file"
status=0; uninstall_in_place "$program_files" || status=$?
[ "$status" != 0 ] || fail "status 0 for an uninstall while the program runs"
[ -f "$folder/radixor.exe" ] && [ -f "$folder/Uninstall.exe" ] && [ -n "$(shortcuts)" ] \
    && wine reg query "$entry" >/dev/null 2>&1 || fail "the uninstall took some away while the program runs"
stop_radixor_exe
install || fail "the upgrade failed"
cmp -s "$folder/radixor.exe" "$scratch/zip/radixor.exe" || fail "the upgrade left the older radixor.exe"

# A second install elsewhere moves the first; Tools\deep is made for it.
elsewhere='C:\Tools\deep\Radixor'
install "/D=$elsewhere" || fail "the install into $elsewhere failed"
[ ! -e "$folder" ] || fail "the first installation stays: $(ls "$folder")"
folder=$(unix "$elsewhere")
read_entry
[ -f "$folder/radixor.exe" ] && [ "$(value InstallLocation)" = "$elsewhere" ] || fail "not moved to $elsewhere"
[ "$(shortcuts | wc -l)" = 1 ] || fail "shortcuts: $(shortcuts)"

uninstall "$elsewhere"
traces >"$scratch/after"
diff "$scratch/before" "$scratch/after" >"$scratch/leftovers.log" || fail "the uninstall left these behind"

# A user's file in the folder stays, and so the folders around it.
install "/D=$elsewhere" || fail "the install into $elsewhere failed"
echo notes >"$folder/notes.txt"
uninstall "$elsewhere"
[ "$(ls "$folder")" = notes.txt ] || fail "the folder holds: $(ls "$folder")"
[ -z "$(shortcuts)" ] || fail "shortcuts left: $(shortcuts)"
rm -r "$drive/Tools"
wine reg delete "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$installer")" /f >/dev/null 2>&1
echo "ok: $(basename "$zip") holds radixor.exe; $(basename "$installer") refuses, installs, upgrades, moves and uninstalls as it should"
