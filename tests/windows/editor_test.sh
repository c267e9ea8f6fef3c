#!/usr/bin/env bash
# The editor of Runvoy.exe under Wine, driven with X input as a person would: a batch typed in
# and saved to the desktop in the exact bytes of a batch file, a name that cannot be a file name,
# the save-changes question on closing, About and Help, the window's position kept in the registry
# and used at the next start, and the window at 96 and 192 DPI (screenshots beside the tests).
source "$(dirname "$0")/wine_desktop.sh"

mkdir -p "$drive/desk" "$tests/screenshots"
"$wine" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
    /v Desktop /d 'C:\desk' /f >/dev/null 2>&1
settings='HKCU\Software\Runvoy\Settings'
stored() { "$wine" reg query "$settings" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n { print $3 }'; }
editor_rect() { probe windows | awk -F'|' '$1 == "Runvoy" && $2 == "RunvoyEditor" { print $3 }'; }
button() { probe toolbar Runvoy | awk -F'|' -v id="$1" '$1 == id { print $2 }'; }
click_button() { click_rect "$(button "$1")"; }
start_editor() {
    "$wine" "$programs/Runvoy.exe" >>"$scratch/editor.log" 2>&1 &
    editor=$!
    wait_for_window '^Runvoy$' >/dev/null
    sleep 1
}
screenshot() {
    IFS=, read -r l t r b <<<"$(editor_rect)"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" "$tests/screenshots/$1"
}

start_editor
IFS=, read -r left top right bottom <<<"$(editor_rect)"
check "the first start centres the window" \
    equal "$left,$top" "$(((1280 - right + left) / 2)),$(((1024 - bottom + top) / 2))"

# Name, Tab to the delay, Tab to the path, Tab past both browse buttons to the state.
type_into '^Runvoy$' 'Morning'
keys_to '^Runvoy$' Tab
xdotool type --delay 60 '3'
xdotool key Tab
xdotool type --delay 60 'C:\Café\tool.exe'
xdotool key --delay 80 Tab Tab Tab Down Down
click_button 302
sleep 1
printf '"C:\\Caf\xe9\\tool.exe"\r\n"3"\r\n"Maximized"\r\n' >"$scratch/expected.rvq"
check "Save writes the batch to the desktop in the ANSI code page with CR LF" \
    cmp "$drive/desk/Morning.rvq" "$scratch/expected.rvq"

click_rect "$(control Runvoy 103 | cut -d'|' -f6)"
xdotool key --delay 80 End shift+Home
xdotool type --delay 60 'a/b'
click_button 302
wait_for_window ' Message' >/dev/null
check "a name that cannot be a file name is refused in the message box" \
    grep -q 'cannot be used as a file name' <(control_text ' Message' 102)
keys_to ' Message' Return
window_gone ' Message'

click_button 305
wait_for_window ' Message' >/dev/null
check "closing a changed batch asks to save it" \
    equal "$(control_text ' Message' 102)" 'Changes have been made to this file, save it.'
check "the question offers Yes, No and Cancel" \
    equal "$(probe controls ' Message' | awk -F'|' '$1 >= 110 { printf "%s ", $3 }')" 'Yes No Cancel '
keys_to ' Message' Tab Tab Return
window_gone ' Message'
check "Cancel keeps the window" test -n "$(editor_rect)"
IFS=, read -r left top _ _ <<<"$(editor_rect)"
click_button 305
keys_to ' Message' Tab Return
ended "$editor"
check "No closes the window and the program" test -z "$(editor_rect)"
check "the position is stored in twips on closing" \
    equal "$(stored Top),$(stored Left)" "$((top * 15)),$((left * 15))"

# Low on the screen, below where the help window opens.
"$wine" reg add "$settings" /v Top /d 11250 /f >/dev/null 2>&1
"$wine" reg add "$settings" /v Left /d 3000 /f >/dev/null 2>&1
start_editor
IFS=, read -r left top right bottom <<<"$(editor_rect)"
check "the next start puts the window where the registry says" equal "$left,$top" "200,750"
width96=$((right - left))
screenshot editor-96.png

click_button 303
wait_for_window 'About Runvoy' >/dev/null
check "About shows the version" grep -q '^Version [0-9]*\.[0-9]*\.[0-9]*$' \
    <(control_text 'About Runvoy' 102)
keys_to 'About Runvoy' Escape
check "Esc closes About" window_gone 'About Runvoy'

click_button 304
check "Help opens the help window" shows 'Runvoy Help'
click_button 305
ended "$editor"
check "closing Runvoy closes the help window" window_gone 'Runvoy Help'
check "an unmoved window stores the same position" equal "$(stored Top),$(stored Left)" "11250,3000"

"$wine" reg delete "$settings" /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
"$wineserver" -k 2>/dev/null || true
timeout 30 "$wineserver" -w 2>/dev/null || true
start_editor
IFS=, read -r left top right bottom <<<"$(editor_rect)"
check "at 192 DPI the window is twice as wide" \
    test "$((right - left))" -ge "$((2 * width96 - 8))" -a "$((right - left))" -le "$((2 * width96 + 8))"
screenshot editor-192.png
click_button 303
wait_for_window 'About Runvoy' >/dev/null
IFS=, read -r l t r b <<<"$(probe windows | awk -F'|' '$1 == "About Runvoy" { print $3 }')"
import -window root -crop "$((r - l))x$((b - t))+$l+$t" "$tests/screenshots/about-192.png"
keys_to 'About Runvoy' Escape
click_button 305
ended "$editor"
finish_tests
