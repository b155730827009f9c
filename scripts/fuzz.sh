#!/usr/bin/env bash
# Builds the libFuzzer target with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# and fuzzes the chart composition.
#   scripts/fuzz.sh --bounded [RUNS]   a fixed number of inputs (default 4000), as the test suite does
#   scripts/fuzz.sh --minutes M        a long run of M minutes
# New inputs go to build/fuzz/corpus-run; the seeds in fuzz/corpus are never changed.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:---bounded}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target chart_fuzzer

work=build/fuzz/corpus-run
mkdir -p "$work"
fuzzer=build/fuzz/fuzz/chart_fuzzer
common=(-rss_limit_mb=4096 -timeout=20 -max_len=64 -print_final_stats=1)
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

case "$mode" in
  --bounded)
    runs=${2:-4000}
    # Every seed first, then fresh mutations, with a fixed seed so a failure repeats.
    "$fuzzer" "${common[@]}" -seed=1 -runs="$runs" "$work" fuzz/corpus
    ;;
  --minutes)
    secs=$(( ${2:?minutes} * 60 ))
    "$fuzzer" "${common[@]}" -max_total_time="$secs" "$work" fuzz/corpus
    ;;
  *)
    echo "usage: scripts/fuzz.sh --bounded [RUNS] | --minutes M" >&2
    exit 2
    ;;
esac
