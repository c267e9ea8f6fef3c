#!/usr/bin/env bash
# Installs what is needed, builds Runvoy and opens the bundled example batch in its editor.
set -euo pipefail
cd "$(dirname "$0")/.."

extra=()
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || extra+=(xvfb xauth)
bash scripts/install-packages.sh "${extra[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/program/runvoy /e "$PWD/examples/Morning.rvq"
fi
echo "No display found: Runvoy runs on a virtual display (Xvfb) until you press Ctrl+C."
exec xvfb-run -a build/program/runvoy /e "$PWD/examples/Morning.rvq"
