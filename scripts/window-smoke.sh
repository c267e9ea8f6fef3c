#!/usr/bin/env bash
# window-smoke.sh TITLE COMMAND [ARGUMENT...]
# Runs on the X display in DISPLAY (a private one: it starts a window manager there) and checks
# what a person would see: COMMAND shows one window titled TITLE and nothing else (no message),
# and ends with status 0 when that window is closed as its close button would. Waits for no one.
set -euo pipefail
title=$1
program_name=$2
shift
bound=60 # seconds for each step; a first start on a cold machine is slow

log=$(mktemp)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -f "$log"
}
trap cleanup EXIT
fail() {
    echo "window-smoke.sh: $*" >&2
    if [ -s "$log" ]; then
        echo "==== output of $program_name:" >&2
        cat "$log" >&2
    fi
    exit 1
}
# Waits until the command given succeeds, at most the bound; false when it never did.
within_bound() {
    local deadline=$((SECONDS + bound))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}
running() { kill -0 "$1" 2>/dev/null; }

# The window manager answers wmctrl once it manages the screen.
openbox --sm-disable >/dev/null 2>&1 &
pids+=("$!")
within_bound wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"

unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
"$@" >"$log" 2>&1 &
program=$!
pids+=("$program")

shown() { ! running "$program" || wmctrl -l | grep -q .; }
within_bound shown || fail "no window within ${bound}s"
running "$program" || fail "ended before it showed a window"
# A message shown before or over the window would be a window of its own.
sleep 1
windows=$(wmctrl -l | sed -E 's/^(\S+\s+){3}//')
[ "$windows" = "$title" ] ||
    fail "expected one window \"$title\", shown: $(echo "$windows" | paste -sd '|')"
geometry=$(xdotool search --onlyvisible --name "^$title\$" getwindowgeometry | paste -sd ' ') ||
    fail "\"$title\" is not visible"
echo "window-smoke.sh: \"$title\" shown: $geometry"

wmctrl -F -c "$title"
ended() { ! running "$program"; }
within_bound ended || fail "did not end within ${bound}s of closing its window"
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "ended with status $status"
echo "window-smoke.sh: closed, ended with status 0"
