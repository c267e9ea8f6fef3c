#!/usr/bin/env bash
# Installs what is needed, builds Runvoy and Kestrum, and runs every test: in release mode, the
# way scripts/example.sh and the install build them, with warnings fatal. The tests on Wayland
# desktops need those desktops installed and run from scripts/wayland.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DRUNVOY_WARNINGS_AS_ERRORS=ON
cmake --build build-test -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test -LE wayland --output-on-failure -j"$(nproc)"
