#!/usr/bin/env bash
# Installs what building, testing and running Runvoy needs on Debian 12 (run as root).
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6
    libglib2.0-dev libglib2.0-bin
    libgtest-dev libgmock-dev
    shared-mime-info desktop-file-utils xdg-utils xdg-user-dirs dbus-daemon
    xvfb xauth xdotool openbox x11-utils valgrind util-linux python3
    libxcb1-dev libxcb-res0-dev libxcb-ewmh-dev libxcb-icccm4-dev
    dpkg-dev file lintian appstream
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
