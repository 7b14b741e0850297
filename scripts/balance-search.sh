#!/usr/bin/env bash
# The long balance check (not in CI): searches the shipped data for the best strategies that may
# build every tower kind and for the best of each kind alone, writes them to docs/strategies/,
# and fails when a single kind reaches more than three quarters of the best mixed strategy's
# median waves, or when a kind is missing from the best strategies. Run scripts/balance.sh
# afterwards to redraw docs/balance.md with them.
#
#   bash scripts/balance-search.sh [GAMES [SEED [GAMES_ALONE]]]
#       (defaults: 1200 games for every kind, seed 1, half as many games for each kind alone)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
games=${1:-1200}
seed=${2:-1}
alone_games=${3:-$((games / 2))}

build=$root/build-balance
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGROUNDLINE_TESTS=OFF \
      -DGROUNDLINE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target groundline-search >/dev/null
search=$build/groundline-search

work=$(mktemp -d "${TMPDIR:-/tmp}/groundline-search.XXXXXX")
trap 'rm -rf "$work"' EXIT
out=$root/docs/strategies
mkdir -p "$out"
cd "$root" # the search reads data/ from the working directory

median() { sed -n '1s/.*: //p' "$1" | tr ' ' '\n' | sort -n |
    awk '{ v[++n] = $1 } END { print (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }'; }

echo "every kind, $games games:"
mkdir "$work/all"
nice -n 19 "$search" --games "$games" --seed "$seed" --out "$work/all" --quiet
rm -f "$out"/*.txt
cp "$work/all"/best-*.txt "$out/"
best=$(median "$out/best-1.txt")

status=0
for kind in laser missile tesla; do
    echo "$kind only, $alone_games games:"
    mkdir "$work/$kind"
    nice -n 19 "$search" --kinds "$kind" --games "$alone_games" --seed "$seed" --keep 1 \
        --out "$work/$kind" --quiet
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
exit $status
