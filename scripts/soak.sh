#!/usr/bin/env bash
# The long game: 100 waves (a data copy gives the laser turrets and tesla coils a strike that
# kills anything, so the "mixed" player gets there), drawn every tenth frame. Played twice by
# groundline-sim:
#   - in a sanitizer build, which must end cleanly: no AddressSanitizer or UndefinedBehavior-
#     Sanitizer report and no leak found by LeakSanitizer at exit;
#   - in a release build with --memory, whose resident memory from the end of wave 10 to the end
#     of wave 100 must stay within 10 % of its level at wave 10.
#
#   scripts/soak.sh [--asan-sim PATH] [--release-sim PATH] [--waves N]
#     (defaults: build-asan/groundline-sim, build/groundline-sim, 100)
#
# Prints the figures; exits 1 when either run fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
asan_sim=$root/build-asan/groundline-sim
release_sim=$root/build/groundline-sim
waves=100
while (($# > 0)); do
    case $1 in
    --asan-sim) asan_sim=$2 ;;
    --release-sim) release_sim=$2 ;;
    --waves) waves=$2 ;;
    *)
        echo "usage: $0 [--asan-sim PATH] [--release-sim PATH] [--waves N]" >&2
        exit 2
        ;;
    esac
    shift 2
done

work=$(mktemp -d -t groundline-soak.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
ln -s "$root"/data/* "$work/data/"
rm "$work/data/strings.txt"
cp "$root/data/strings.txt" "$work/data/strings.txt"
printf '%s\n' Tower1.DamageBase=1000000 Tower3.DamageBase=1000000 Tower3.RangeMax=300 \
    >>"$work/data/strings.txt"
play=(--strategy mixed --seed 1 --waves "$waves" --draw-every 10)
status=0

echo "== $waves waves under the sanitizers ($asan_sim)"
(
    cd "$work" &&
        ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$asan_sim" "${play[@]}"
) >"$work/asan.out" 2>&1
code=$?
tail -n 3 "$work/asan.out"
if ((code != 0)) || grep -q -E 'runtime error|Sanitizer' "$work/asan.out"; then
    grep -m 5 -E 'runtime error|ERROR|SUMMARY' "$work/asan.out"
    echo "FAIL: the sanitizer run ended with exit code $code"
    status=1
elif ! grep -q "^waves defeated: $waves\$" "$work/asan.out"; then
    echo "FAIL: the sanitizer run did not reach wave $waves"
    status=1
else
    echo "clean: no sanitizer report, no leak"
fi

echo "== $waves waves, resident memory ($release_sim)"
(cd "$work" && "$release_sim" "${play[@]}" --memory) >"$work/release.out" 2>&1 || status=1
# Wave lines: wave number first, resident kB last.
awk -v last="$waves" '
    /^ +[0-9]+ / { rss[$1] = $NF }
    END {
        if (!(10 in rss) || !(last in rss)) { print "FAIL: no memory figures for waves 10 and " last; exit 1 }
        low = high = rss[10]
        for (w = 10; w <= last; ++w) if (w in rss) {
            if (rss[w] < low) low = rss[w]
            if (rss[w] > high) high = rss[w]
        }
        printf "resident kB: wave 10 %d, wave %d %d, lowest %d, highest %d (%+.1f %% .. %+.1f %%)\n",
            rss[10], last, rss[last], low, high, 100 * (low - rss[10]) / rss[10], 100 * (high - rss[10]) / rss[10]
        if (high > 1.1 * rss[10] || low < 0.9 * rss[10]) { print "FAIL: more than 10 % away from wave 10"; exit 1 }
    }' "$work/release.out" || status=1
exit $status
