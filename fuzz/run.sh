#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer + UndefinedBehaviorSanitizer) and
# runs each in turn, at the lowest priority, over its seed corpus made from data/ and a working
# corpus kept in the build folder. Arguments go to every fuzzer; give -runs or -max_total_time,
# as without them the first fuzzer runs until it finds a fault or is interrupted.
#
#   bash fuzz/run.sh -runs=10000000           # ten million executions each
#   bash fuzz/run.sh -max_total_time=600      # ten minutes each
#   FUZZERS="fuzz_font" bash fuzz/run.sh ...  # only some of them
#   FUZZ_BUILD=build-asan bash fuzz/run.sh    # in another build folder (configured with clang)
#
# A crash, leak, hang or sanitizer report stops the script with the fuzzer's output and leaves
# the input that caused it in the build folder's fuzz/ (crash-*, leak-*, timeout-*, oom-*).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
case $build in /*) ;; *) build=$root/$build ;; esac

if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGROUNDLINE_TESTS=OFF \
          -DGROUNDLINE_BENCH=OFF -DGROUNDLINE_WERROR=ON \
          -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
fi
cmake -S "$root" -B "$build" -DGROUNDLINE_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target fuzzers >/dev/null

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

while read -r name max_len; do
    if [[ -n ${FUZZERS:-} && " $FUZZERS " != *" $name "* ]]; then
        continue
    fi
    mkdir -p "$build/fuzz/corpus/$name"
    log=$build/fuzz/$name.log
    echo "== $name"
    status=0
    (cd "$build/fuzz" && nice -n 19 "./$name" "corpus/$name" "seeds/$name" -max_len="$max_len" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@") >"$log" 2>&1 || status=$?
    grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::number_of_executed_units' "$log" || true
    if ((status != 0)); then
        tail -n 60 "$log"
        exit "$status"
    fi
done <"$build/fuzz/fuzzers.txt"
