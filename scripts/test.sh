#!/usr/bin/env bash
# Installs the dependencies, builds, and runs every test: the unit tests, the data-set check and
# the end-to-end tests under Xvfb with g++, then the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer built with clang++, and a short run of every libFuzzer harness in that
# same build. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=$(nproc)

echo "== g++ build, unit, data and end-to-end tests"
cmake -S "$root" -B "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGROUNDLINE_WERROR=ON \
      -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
cmake --build "$root/build-test" -j"$jobs"
(cd "$root/build-test" && ctest --output-on-failure)

echo "== clang++ build with AddressSanitizer and UndefinedBehaviorSanitizer: unit tests, hostile data"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DGROUNDLINE_SANITIZE=ON \
      -DGROUNDLINE_FUZZ=ON -DGROUNDLINE_WERROR=ON \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$root/build-asan" -j"$jobs" --target unit_tests groundline-sim groundline-search fuzzers
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -L 'unit|hostile' -E data_matches_generator)

echo "== libFuzzer harnesses, a fixed short run of each from its seed corpus"
FUZZ_BUILD="$root/build-asan" bash "$root/fuzz/run.sh" -runs=20000 -seed=1
