#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build from its seed corpus, two at a time, and fails on
# the first crash. Build first: cmake --preset fuzz && cmake --build --preset fuzz
#   fuzz/run_fuzzers.sh [seconds per target, default 60] [extra libFuzzer options …]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bin=build/fuzz/fuzz
out=build/fuzz/runs
mkdir -p "$out" fuzz/corpus
"$bin/make_corpus" fuzz/corpus

run() {
    local target=$1
    "$bin/$target" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$out/$target-" "${@:2}" "fuzz/corpus/$target" >"$out/$target.log" 2>&1
}

report() {
    local target=$1 status=$2
    local runs
    runs=$(grep -m1 'stat::number_of_executed_units' "$out/$target.log" | awk '{print $2}')
    if ((status == 0)); then
        echo "$target: ${runs:-?} executions, no crash"
    else
        echo "$target: FAILED (exit $status); see $out/$target.log" >&2
        tail -40 "$out/$target.log" >&2
    fi
}

targets=()
for path in "$bin"/fuzz_*; do
    [[ -x "$path" ]] && targets+=("$(basename "$path")")
done

failed=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
    pids=()
    batch=("${targets[@]:i:2}")
    for target in "${batch[@]}"; do
        run "$target" "$@" &
        pids+=($!)
    done
    for j in "${!batch[@]}"; do
        status=0
        wait "${pids[$j]}" || status=$?
        report "${batch[$j]}" "$status"
        ((status == 0)) || failed=1
    done
done
exit "$failed"
