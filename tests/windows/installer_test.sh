#!/usr/bin/env bash
# Runvoy's installer under Wine: a silent install puts the programs and the help into
# "Program Files\Runvoy", registers the batch file type through Kestrum so that opening a .rvq
# file runs it, adds the Start menu entries and the uninstall key; the silent uninstaller leaves
# no file, no association and no uninstall key behind. Arguments: WINE PROGRAM_FOLDER TEST_FOLDER
# SETUP.
source "$(dirname "$0")/wine_desktop.sh"
setup=$4

installed="$drive/Program Files/Runvoy"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Runvoy"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Runvoy'
has_key() { "$wine" reg query "$1" >/dev/null 2>&1; }
value() { "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }

"$wine" "$setup" /S
check "the installer puts Runvoy, Kestrum and the help into Program Files\\Runvoy" \
    test -f "$installed/Runvoy.exe" -a -f "$installed/kestrum.exe" -a -f "$installed/Runvoy.chm"
check "Kestrum has registered .rvq" equal "$(value 'HKCR\.rvq')" rvqfile
check "opening a batch runs the installed Runvoy" \
    equal "$(value 'HKCR\rvqfile\shell\open\command')" '"C:\Program Files\Runvoy\Runvoy.exe" /o "%1"'
check "the Start menu holds Runvoy, its help and its uninstaller" \
    test -f "$menu/Runvoy.lnk" -a -f "$menu/Runvoy Help.lnk" -a -f "$menu/Uninstall Runvoy.lnk"
check "the uninstall key names the uninstaller" has_key "$uninstall_key"

mkdir -p "$drive/my batches/item"
cp "$tests/start_reporter.exe" "$drive/my batches/item/reporter.exe"
printf '"C:\\my batches\\item\\reporter.exe"\r\n"0"\r\n"Maximized"\r\n' >"$drive/my batches/Go.rvq"
"$wine" start /unix "$drive/my batches/Go.rvq"
for _ in $(seq 300); do [ -f "$drive/my batches/item/started.txt" ] && break; sleep 0.1; done
check "a batch opened through the shell runs its item in its state" \
    equal "$(utf16_file "$drive/my batches/item/started.txt" 2>/dev/null)" '3|C:\my batches\item'

# The uninstaller runs from a copy of itself and returns at once: its end is waited for.
"$wine" "$installed/Uninstall.exe" /S
for _ in $(seq 300); do [ -e "$installed" ] || break; sleep 0.1; done
"$wineserver" -w 2>/dev/null || true
check "the uninstaller leaves no file" test ! -e "$installed" -a ! -e "$menu"
check "the uninstaller leaves no association" \
    test "$(has_key 'HKCR\.rvq' && echo yes)$(has_key 'HKCR\rvqfile' && echo yes)" = ""
check "the uninstaller removes its uninstall key" test -z "$(has_key "$uninstall_key" && echo yes)"
finish_tests
