#!/usr/bin/env bash
# run_in_wine.sh WINE PROGRAM [ARGUMENTS...]
# Runs a Windows test program under Wine in a Wine prefix made for this run alone and removed
# after it, so that every run starts from a registry no earlier run has touched. Everything the
# tests do works without a display.
set -euo pipefail
wine=$1
shift
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=wineserver

scratch=$(mktemp -d "${TMPDIR:-/tmp}/runvoy-wine.XXXXXX")
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
# Wine would offer to install its .NET and HTML engines into the new prefix; nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
finish() {
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w 2>/dev/null || true
    rm -rf "$scratch"
}
trap finish EXIT

"$wine" wineboot --init 2>/dev/null
"$wine" "$@"
