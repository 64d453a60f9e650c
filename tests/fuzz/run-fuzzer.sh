#!/usr/bin/env bash
# run-fuzzer.sh FUZZER SECONDS WORKDIR [SEED | -libfuzzer-option]...
# Copies the seeds (files, or folders of files) into a fresh corpus in WORKDIR and lets the
# fuzzer mutate it for SECONDS. On a finding it prints the sanitizer's report and every input
# it saved, in hex, with the command that replays it. FUZZ_SEED repeats a run.
set -euo pipefail
fuzzer=$1 seconds=$2 work=$3
shift 3
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
options=()
for arg in "$@"; do
    if [[ $arg == -* ]]; then
        options+=("$arg")
    elif [[ -d $arg ]]; then
        cp -r "$arg"/. "$work/corpus/"
    else
        cp "$arg" "$work/corpus/"
    fi
done
[[ -n ${FUZZ_SEED:-} ]] && options+=("-seed=$FUZZ_SEED")
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$work/findings/" "${options[@]}" "$work/corpus" >"$work/log" 2>&1 || status=$?
if [[ $status -eq 0 ]]; then
    grep -E '^INFO: Seed:|^#[0-9]+ +DONE|^Done|^stat::number_of_executed_units' "$work/log" || true
    echo "corpus: $(ls "$work/corpus" | wc -l) inputs"
    exit 0
fi
tail -n 120 "$work/log"
for finding in "$work/findings"/*; do
    [[ -f $finding ]] || continue
    echo "---- $(basename "$finding"), $(stat -c %s "$finding") bytes; replay: $fuzzer $finding"
    od -A x -t x1z -v "$finding" | head -n 256
done
exit 1
