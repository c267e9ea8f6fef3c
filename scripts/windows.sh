#!/usr/bin/env bash
# Builds the Windows programs with mingw-w64 in build-windows/ and runs their tests under Wine,
# each test program in a Wine prefix of its own. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."

# librsvg2-bin and icoutils turn the SVG pictures into the program file's icons.
bash scripts/install-packages.sh g++-mingw-w64-x86-64 wine64 librsvg2-bin icoutils
cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Debug \
    -DRUNVOY_WARNINGS_AS_ERRORS=ON
cmake --build build-windows -j"$(nproc)"
ctest --test-dir build-windows --output-on-failure -j"$(nproc)"
