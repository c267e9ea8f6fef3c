#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for a bounded time on a copy of
# its corpus, so that the repository stays untouched. Any crash, hang, leak, sanitizer report or
# broken property fails the run; the input that caused it is kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${RUNVOY_FUZZ_SECONDS:-60}
targets=(fuzz_batch_reader fuzz_run_reader fuzz_command_line)

bash scripts/install-packages.sh clang libclang-rt-14-dev
cmake -S . -B build-fuzz -DRUNVOY_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRUNVOY_WARNINGS_AS_ERRORS=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz --target "${targets[@]}" -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$root/build-fuzz/findings
rm -rf "$findings"
mkdir -p "$findings"
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for target in "${targets[@]}"; do
    cp -r "fuzz/corpus/$target" "$work/$target"
    log=$findings/$target.log
    if build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" "$work/$target" >"$log" 2>&1; then
        echo "$target: $(grep -E '^Done [0-9]+ runs' "$log" || echo 'done')"
    else
        failed+=("$target")
        echo "==== $target found a fault; its output ends:"
        tail -n 60 "$log"
        for input in "$findings/$target"-*; do
            [ -f "$input" ] || continue
            echo "==== input $input:"
            od -A d -c "$input" | head -n 40
        done
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: findings in ${failed[*]} (inputs in $findings)" >&2
    exit 1
fi
