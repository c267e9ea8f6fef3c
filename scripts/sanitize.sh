#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test in
# that build but those on Wayland desktops (scripts/wayland.sh). Any sanitizer report fails the run, leaks included, also when it comes from a
# program that a test starts and whose exit status the test does not look at.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-packages.sh
cmake -S . -B build-sanitize -DRUNVOY_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DRUNVOY_WARNINGS_AS_ERRORS=ON
cmake --build build-sanitize -j2

# Every sanitized process, test programs and the programs they start alike, writes its reports
# into this folder; the settings travel to child processes through the environment, so every
# path in them is absolute. Some tests run the program as another user, who must be able to
# write there too.
reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT
chmod 1777 "$reports"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$reports/ubsan"

status=0
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize -LE wayland --output-on-failure -j2 || status=$?

shopt -s nullglob
found=("$reports"/*)
if [ ${#found[@]} -gt 0 ]; then
    for report in "${found[@]}"; do
        echo "==== sanitizer report ${report##*/}"
        cat "$report"
    done
    echo "sanitize.sh: ${#found[@]} sanitizer report(s)" >&2
    exit 1
fi
exit "$status"
