#!/usr/bin/env bash
# Installs the Wayland desktops that window states are tested on (KWin and GNOME Shell, with
# Xwayland and Qt's Wayland platform for the test programs), builds what the tests need and runs them: each desktop
# in a private session on a virtual screen, headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh kwin-wayland gnome-shell xwayland qt6-wayland
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DRUNVOY_WARNINGS_AS_ERRORS=ON
cmake --build build-test -j"$(nproc)" --target wayland_states_tests
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test -L wayland --output-on-failure
