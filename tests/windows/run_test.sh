#!/usr/bin/env bash
# A batch run of Runvoy.exe under Wine, as a double-click starts it: every item starts in its
# window state and its own folder after its delay, an item that cannot start is told in the box
# "Message from Runvoy" and the run goes on after OK, no window of Runvoy's own shows, and the
# program ends after the last item.
source "$(dirname "$0")/wine_desktop.sh"

# Folders with blanks, so that Wine quotes the batch's path as the shell does.
items="$drive/my items"
for item in normal minimized maximized; do
    mkdir -p "$items/$item"
    cp "$tests/start_reporter.exe" "$items/$item/reporter.exe"
done
# Item 2 waits 2 seconds, items 3 and 4 none, each plus the second every later item waits.
printf '"%s"\r\n"%s"\r\n"%s"\r\n' \
    'C:\my items\normal\reporter.exe' 0 Normal \
    'C:\my items\minimized\reporter.exe' 2 Minimized \
    'C:\my items\missing.exe' 0 Normal \
    'C:\my items\maximized\reporter.exe' 0 Maximized >"$items/Morning.rvq"

# Every wait is checked against a moment the test saw before the wait began, and a moment seen
# after the waited event: how long Wine takes to start an item varies by a second, so two items'
# own start times cannot be compared.
launched=$(date +%s.%N)
"$wine" "$programs/Runvoy.exe" /o 'C:\my items\Morning.rvq' >"$scratch/run.log" 2>&1 &
run=$!

message=$(wait_for_window 'Message from Runvoy' || true)
box_seen=$(date +%s.%N)
check "the invalid item is told in the box 'Message from Runvoy'" test -n "$message"
check "the box names the missing item" \
    grep -q 'missing.exe' <(control_text ' Message from Runvoy' 102)
check "no window of Runvoy's own shows during the run" \
    equal "$(probe windows | grep -c '^Runvoy|' || true)" 0
answered=$(date +%s.%N)
keys_to 'Message from Runvoy' Return
check "the box closes on Return" window_gone 'Message from Runvoy'

wait "$run" && status=0 || status=$?
check "the run ends with status 0 after its last item" equal "$status" 0
for _ in $(seq 100); do [ -f "$items/maximized/started.txt" ] && break; sleep 0.1; done

report() { utf16_file "$items/$1/started.txt"; }
check "Normal starts with SW_SHOWNORMAL in its folder" \
    equal "$(report normal)" '1|C:\my items\normal'
check "Minimized starts with SW_SHOWMINIMIZED in its folder" \
    equal "$(report minimized)" '2|C:\my items\minimized'
check "Maximized starts with SW_SHOWMAXIMIZED in its folder, after the box" \
    equal "$(report maximized)" '3|C:\my items\maximized'

started() { stat -c %.3Y "$items/$1/started.txt"; }
within() { awk -v from="$1" -v to="$2" -v low="$3" -v high="$4" 'BEGIN {
    if (to - from >= low && to - from < high) exit 0
    printf "  %.3f s, not within [%s, %s)\n", to - from, low, high; exit 1 }'; }
check "item 2 waits its 2 seconds and the extra second" \
    within "$launched" "$(started minimized)" 2.99 30
check "item 3 is tried after the extra seconds of items 2 and 3" \
    within "$launched" "$box_seen" 3.99 60
check "item 4 waits its extra second after the box is answered" \
    within "$answered" "$(started maximized)" 0.99 30
finish_tests
