#!/usr/bin/env bash
# The long balance check (not in CI): searches the shipped data for the best strategies that may
# build every tower kind and for the best of each kind alone, writes them to docs/strategies/,
# and fails when a single kind reaches more than three quarters of the best mixed strategy's
# median waves, when a kind is missing from the best strategies, or when the best found reaches
# less than nine tenths of the median waves of the best hand-written strategy there
# (docs/strategies/hand-*.txt, kept). Run scripts/balance.sh afterwards to redraw docs/balance.md
# with them.
#
#   bash scripts/balance-search.sh [GAMES [SEED [GAMES_ALONE]]]
#       (defaults: 1200 games for every kind, seed 1, half as many games for each kind alone)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
games=${1:-1200}
seed=${2:-1}
alone_games=${3:-$((games / 2))}

# The tools built with a profile of their own games: the same games, a few minutes sooner.
build=$root/build-profiled
bash "$root/scripts/build-profiled.sh" "$build" >/dev/null
search=$build/groundline-search
sim=$build/groundline-sim
waves=100 # past the end of any strategy's game, so the medians compare

work=$(mktemp -d "${TMPDIR:-/tmp}/groundline-search.XXXXXX")
trap 'rm -rf "$work"' EXIT
out=$root/docs/strategies
mkdir -p "$out"
cd "$root" # the search reads data/ from the working directory

median() { sed -n '1s/.*: //p' "$1" | tr ' ' '\n' | sort -n |
    awk '{ v[++n] = $1 } END { print (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }'; }

echo "every kind, $games games:"
mkdir "$work/all"
nice -n 19 "$search" --games "$games" --seed "$seed" --waves "$waves" --out "$work/all" --quiet
rm -f "$out"/best-*.txt "$out"/only-*.txt
cp "$work/all"/best-*.txt "$out/"
best=$(median "$out/best-1.txt")

status=0
for kind in laser missile tesla; do
    echo "$kind only, $alone_games games:"
    mkdir "$work/$kind"
    nice -n 19 "$search" --kinds "$kind" --games "$alone_games" --seed "$seed" --keep 1 \
        --waves "$waves" --out "$work/$kind" --quiet
    cp "$work/$kind/best-1.txt" "$out/only-$kind.txt"
    alone=$(median "$out/only-$kind.txt")
    if awk -v a="$alone" -v b="$best" 'BEGIN { exit !(4 * a > 3 * b) }'; then
        echo "FAIL: $kind alone reaches a median of $alone waves, more than 3/4 of $best"
        status=1
    else
        echo "ok: $kind alone reaches a median of $alone waves, at most 3/4 of $best"
    fi
    if ! grep -q "build $kind " "$out"/best-*.txt; then
        echo "FAIL: no $kind in the best strategies"
        status=1
    fi
done
for hand in "$out"/hand-*.txt; do
    [[ -e $hand ]] || continue
    reached=$(for s in 1 2 3 4 5 6 7 8 9 10; do
        nice -n 19 "$sim" --strategy "$hand" --seed "$s" --waves "$waves" | sed -n 's/^waves defeated: //p'
    done | sort -n | awk '{ v[++n] = $1 } END { print (v[5] + v[6]) / 2 }')
    if awk -v a="$best" -v h="$reached" 'BEGIN { exit !(10 * a < 9 * h) }'; then
        echo "FAIL: the best found reaches a median of $best waves, less than 9/10 of $(basename "$hand") ($reached)"
        status=1
    else
        echo "ok: the best found reaches a median of $best waves, $(basename "$hand") $reached"
    fi
done
exit $status
