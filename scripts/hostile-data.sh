#!/usr/bin/env bash
# Hostile tuning data: for every numeric key of data/strings.txt (these are exactly the numbers
# the game reads) and each hostile value, plays the game headless with groundline-sim's "mixed"
# player for ten game minutes, drawing every tenth frame as well, and insists on a clean end:
# exit code 0, no sanitizer report, within a time limit (a frame loop that never ends shows as
# a timeout), without gigabytes of memory. Built for a sanitizer build of groundline-sim:
#
#   cmake -S . -B build-asan -DGROUNDLINE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
#         -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
#   cmake --build build-asan -j2 --target groundline-sim
#   scripts/hostile-data.sh                       # the full sweep: every key, every value
#
# Options: --sim PATH (default build-asan/groundline-sim), --keys "K ...", --values "V ...",
# --cases "K=V ..." (just those pairs instead of every key with every value),
# --minutes M (game minutes per run, default 10), --draw-every N (default 10, 0 draws nothing),
# --jobs N (runs at once, default 2), --timeout S (wall seconds per run, default 300),
# --logs DIR (the output of every failing run, default /tmp/groundline-hostile-logs).
# The values: "missing" removes the key; anything else replaces it; "huge" is 10^20, beyond any
# int (and read as the largest int). Prints a line per failing run and a summary; exits 1 when
# any run failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sim=$root/build-asan/groundline-sim
keys=
cases=
values="missing 0 -1 huge nan inf"
minutes=10
draw_every=10
jobs=2
limit=300
logs=/tmp/groundline-hostile-logs
while (($# > 0)); do
    case $1 in
    --sim) sim=$2 ;;
    --keys) keys=$2 ;;
    --values) values=$2 ;;
    --cases) cases=$2 ;;
    --minutes) minutes=$2 ;;
    --draw-every) draw_every=$2 ;;
    --jobs) jobs=$2 ;;
    --timeout) limit=$2 ;;
    --logs) logs=$2 ;;
    *)
        echo "usage: $0 [--sim PATH] [--keys \"K ...\"] [--values \"V ...\"] [--cases \"K=V ...\"]" \
            "[--minutes M]" \
            "[--draw-every N] [--jobs N] [--timeout S] [--logs DIR]" >&2
        exit 2
        ;;
    esac
    shift 2
done
sim=$(realpath "$sim")
[[ -x $sim ]] || { echo "no groundline-sim at $sim" >&2; exit 2; }
strings=$root/data/strings.txt
if [[ -z $keys ]]; then
    keys=$(awk -F= '/^#/ { next } NF >= 2 && $2 ~ /^-?[0-9]+(\.[0-9]+)?$/ { print $1 }' "$strings" |
        awk '!seen[$0]++' | tr '\n' ' ')
fi

work=$(mktemp -d -t groundline-hostile.XXXXXX)
trap 'rm -rf "$work"' EXIT

# One run: KEY VALUE. Prints nothing when it ends cleanly, else one line.
run_one() {
    local key=$1 value=$2 dir out status
    dir=$(mktemp -d "$work/run.XXXXXX")
    mkdir "$dir/data"
    ln -s "$root"/data/* "$dir/data/"
    rm "$dir/data/strings.txt"
    awk -F= -v key="$key" '$1 != key' "$strings" >"$dir/data/strings.txt"
    case $value in
    missing) ;;
    huge) echo "$key=100000000000000000000" >>"$dir/data/strings.txt" ;;
    *) echo "$key=$value" >>"$dir/data/strings.txt" ;;
    esac
    out=$dir/out
    (
        cd "$dir" || exit 2
        # Gigabytes would be a fault: no single allocation over 1 GB, and the whole process
        # stays under 2 GB of resident memory.
        export ASAN_OPTIONS=detect_leaks=1:max_allocation_size_mb=1024:allocator_may_return_null=0:hard_rss_limit_mb=2048
        export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        exec timeout -k 5 "$limit" "$sim" --strategy mixed --seed 1 --waves 1000000 \
            --time-limit $((minutes * 60)) --draw-every "$draw_every"
    ) >"$out" 2>&1
    status=$?
    if ((status == 124 || status == 137)); then
        echo "FAIL $key=$value: no end within $limit s (a frame loop that does not end?)"
    elif ((status != 0)); then
        echo "FAIL $key=$value: exit code $status: $(grep -m1 -E 'ERROR|runtime error|SUMMARY' "$out" || tail -n 1 "$out")"
    elif grep -q -E 'runtime error|AddressSanitizer|LeakSanitizer' "$out"; then
        echo "FAIL $key=$value: $(grep -m1 -E 'runtime error|Sanitizer' "$out")"
    else
        rm -rf "$dir"
        return 0
    fi
    cp "$out" "$logs/$key=$value.log"
    rm -rf "$dir"
    return 1
}
export -f run_one
mkdir -p "$logs"
export root sim strings work minutes draw_every limit logs

if [[ -n $cases ]]; then
    for pair in $cases; do
        printf '%s %s\n' "${pair%%=*}" "${pair#*=}"
    done
else
    for key in $keys; do
        for value in $values; do
            printf '%s %s\n' "$key" "$value"
        done
    done
fi >"$work/cases"
runs=$(wc -l <"$work/cases")
xargs -P "$jobs" -L 1 bash -c 'run_one "$0" "$1"' <"$work/cases" | tee "$work/failures"
failed=$(grep -c '^FAIL' "$work/failures")
echo "hostile data: $runs runs over $(cut -d' ' -f1 "$work/cases" | sort -u | wc -l) keys, $failed failed"
((failed == 0))
