# Sourced by the tests that drive Runvoy.exe as a person would: a private X display (Xvfb), a
# Wine prefix made for the test alone with Wine's fonts in it, X input through xdotool and the
# windows read back through window_probe.exe. Arguments: WINE PROGRAM_FOLDER TEST_FOLDER.
set -euo pipefail
wine=$1
programs=$2
tests=$3
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=wineserver

scratch=$(mktemp -d "${TMPDIR:-/tmp}/runvoy-desktop.XXXXXX")
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
# Wine would offer to install its .NET and HTML engines into the new prefix; nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
drive="$WINEPREFIX/drive_c"
passed=0
failed=0

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
finish() {
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap finish EXIT
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$scratch/display")"

"$wine" wineboot --init >/dev/null 2>&1
# Debian's Wine does not look for its own fonts; without them titles and Tahoma are missing.
cp /usr/share/wine/fonts/*.ttf "$drive/windows/Fonts/"
# Wine draws the frames itself: there is no window manager on the display.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

check() { # check DESCRIPTION COMMAND...
    if "${@:2}"; then
        passed=$((passed + 1))
        echo "ok: $1"
    else
        failed=$((failed + 1))
        echo "FAILED: $1"
    fi
}
equal() { [ "$1" = "$2" ] || { echo "  expected: $2"; echo "  actual:   $1"; return 1; }; }
finish_tests() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

probe() { "$wine" "$tests/window_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
# The X window whose title matches the pattern, waited for up to 30 seconds; empty when none came.
wait_for_window() {
    for _ in $(seq 300); do
        local id
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
# Waits up to 30 seconds for the process to end; fails when it has not.
ended() {
    for _ in $(seq 300); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}
shows() { wait_for_window "$1" >/dev/null; }
window_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
# Keys to the window: it takes the X focus first, which needs no window manager.
keys_to() {
    local id
    id=$(wait_for_window "$1") || return 1
    xdotool windowfocus --sync "$id"
    sleep 0.3
    xdotool key --delay 80 "${@:2}"
}
type_into() {
    local id
    id=$(wait_for_window "$1") || return 1
    xdotool windowfocus --sync "$id"
    xdotool type --delay 60 "$2"
}
# A control's line from the probe: window title, control id.
control() { probe controls "$1" | awk -F'|' -v id="$2" '$1 == id'; }
control_text() { control "$1" "$2" | cut -d'|' -f3; }
# Clicks the middle of a screen rectangle "left,top,right,bottom".
click_rect() {
    IFS=, read -r l t r b <<<"$1"
    xdotool mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
}
utf16_file() { iconv -f UTF-16LE -t UTF-8 "$1"; }
