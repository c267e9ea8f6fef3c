#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 in build-windows/ (Runvoy.exe, kestrum.exe, the help
# file, the installer and the portable zip) and runs their tests under Wine, each test program in
# a Wine prefix of its own; the tests that drive windows start a private Xvfb display each.
set -euo pipefail
cd "$(dirname "$0")/.."

# librsvg2-bin and icoutils draw the pictures, fp-utils (chmcmd) compiles the help, nsis makes the
# installer; fonts-wine, xvfb, xdotool and imagemagick serve the tests that drive the windows.
bash scripts/install-packages.sh g++-mingw-w64-x86-64 wine64 librsvg2-bin icoutils fp-utils nsis \
    fonts-wine xvfb xdotool imagemagick
cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Debug \
    -DRUNVOY_WARNINGS_AS_ERRORS=ON
cmake --build build-windows -j2
ctest --test-dir build-windows --output-on-failure -j2
