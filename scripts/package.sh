#!/usr/bin/env bash
# Builds the Debian package of Runvoy in build-package/ and tests it: its contents, lintian,
# the desktop files, and a batch double-clicked from the unpacked package.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh
# Optimised at -O2 as Debian builds, with Debian's hardening: fortified functions, stack
# protection, read-only relocations. The debugging information is stripped from the package.
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRUNVOY_SYSTEM_INSTALL=ON -DCMAKE_INSTALL_PREFIX=/usr -DRUNVOY_PROGRAM_DIR=lib/runvoy \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build build-package --target package_contents -j"$(nproc)"
rm -f build-package/runvoy_*.deb
(cd build-package && cpack -G DEB)
bash packaging/test_package.sh build-package/runvoy_*.deb
