#!/bin/bash
# The opening's figures: for each strategy given (default novice and mixed), over seeds 1 to 10,
# the waves defeated, the first wave that cost health, the game time of waves 1 to 10 (calm
# included, at 1x and never called early) and how long each wave before the first boss lasted
# (from its start to its end); then the medians. Run from the project root after a build:
#   bash scripts/opening.sh [STRATEGY...]
set -euo pipefail
sim=${SIM:-build/groundline-sim}
[[ -x $sim ]] || { echo "no $sim: build first" >&2; exit 2; }
calm=$(sed -n 's/^TimeBetweenWaves=//p' data/strings.txt | tail -n 1)
(($# > 0)) || set -- novice mixed
for strategy in "$@"; do
    echo "$strategy: seed, waves defeated, first wave losing health, waves 1-10 (s), waves 1-9 (s each)"
    for seed in 1 2 3 4 5 6 7 8 9 10; do
        nice -n 19 "$sim" --strategy "$strategy" --seed "$seed" --waves 60 |
            awk -v seed="$seed" -v calm="$calm" '
                $1 ~ /^[0-9]+$/ && NF >= 8 {
                    lasted[$1] = $2 - before - calm; before = $2; if ($1 == 10) ten = $2
                    if ($6 > 0 && !first) first = $1 }
                /^waves defeated:/ { defeated = $3 }
                END {
                    line = sprintf("%2d %3d %3s %6s  ", seed, defeated, first ? first : "-",
                                   defeated >= 10 ? sprintf("%.0f", ten) : "-")
                    for (w = 1; w <= 9 && w in lasted; ++w) line = line sprintf(" %3.0f", lasted[w])
                    print line }'
    done | tee /tmp/opening.$$
    awk 'function median(a, n,   i, j, t) {
             for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
             return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
         { d[NR] = $2; if ($3 != "-") f[++nf] = $3; if ($4 != "-") t[++nt] = $4
           for (w = 1; w <= 9; ++w) if (4 + w <= NF) { c[w]++; l[w, c[w]] = $(4 + w) } }
         END {
             printf "median: waves defeated %g, first health lost in wave %s, waves 1-10 %s s (%d seeds)\n",
                 median(d, NR), nf ? median(f, nf) : "-", nt ? median(t, nt) : "-", nt
             printf "median length of waves 1-9 (s):"
             for (w = 1; w <= 9; ++w) { n = 0; delete a; for (i = 1; i <= c[w]; ++i) a[++n] = l[w, i]
                                        if (n) printf " %g", median(a, n) }
             printf "\n\n" }' /tmp/opening.$$
    rm -f /tmp/opening.$$
done
