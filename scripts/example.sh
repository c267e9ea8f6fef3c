#!/usr/bin/env bash
# Installs what is needed, builds Runvoy and opens the bundled example batch in its editor.
# With RUNVOY_EXAMPLE_SMOKE=1 it waits for no one: the editor opens on a private virtual display,
# must show its window and must end when that window is closed (scripts/window-smoke.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

smoke=${RUNVOY_EXAMPLE_SMOKE:-0}
have_display=
[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || have_display=1
extra=()
if [ "$smoke" = 1 ]; then
    extra+=(xvfb xauth xdotool openbox wmctrl)
elif [ -z "$have_display" ]; then
    extra+=(xvfb xauth)
fi
bash scripts/install-packages.sh "${extra[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build --target runvoy kestrum -j"$(nproc)"

example=("$PWD/build/program/runvoy" /e "$PWD/examples/Morning.rvq")
# Without -noreset Xvfb resets when its last client leaves and turns away one connecting then.
virtual_display=(xvfb-run -a -s "-noreset -screen 0 1280x1024x24")
if [ "$smoke" = 1 ]; then
    exec "${virtual_display[@]}" bash scripts/window-smoke.sh Runvoy "${example[@]}"
fi
if [ -n "$have_display" ]; then
    exec "${example[@]}"
fi
echo "No display found: Runvoy runs on a virtual display (Xvfb) until you press Ctrl+C."
exec "${virtual_display[@]}" "${example[@]}"
