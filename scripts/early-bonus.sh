#!/usr/bin/env bash
# What calling waves early is worth: mixed (never calls early) against hasty (mixed calling every
# wave at once) over seeds 1 to 10, for each EarlyWaveBonus given (default: 0 0.5 1 2), with the
# shipped data otherwise. One markdown row per strategy and bonus: the waves defeated per seed,
# their mean and the mean game time at which wave 9 was beaten. Retune the bonus with it after
# any change of the towers' or invaders' tuning: calling early should be a choice, neither a
# loss on every seed nor a win on every seed.
#
#   bash scripts/early-bonus.sh [BONUS...]     (needs build/groundline-sim; SIM=... for another)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sim=${SIM:-$root/build/groundline-sim}
[[ -x $sim ]] || { echo "no $sim: build the groundline-sim target first" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/groundline-early.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$root/data" "$work/data"

bonuses=("$@")
((${#bonuses[@]})) || bonuses=(0 0.5 1 2)
echo "| strategy | EarlyWaveBonus | seeds 1-10: waves defeated | mean | wave 9 beaten at (s) |"
echo "|---|---|---|---|---|"
for bonus in "${bonuses[@]}"; do
    cp "$root/data/strings.txt" "$work/data/strings.txt"
    echo "EarlyWaveBonus=$bonus" >>"$work/data/strings.txt"
    for strategy in mixed hasty; do
        for ((seed = 1; seed <= 10; ++seed)); do
            (cd "$work" && nice -n 19 "$sim" --strategy "$strategy" --seed "$seed" --waves 40)
        done | awk -v s="$strategy" -v b="$bonus" '
            /^waves defeated: / { w[++n] = $3; sum += $3 }
            $1 == 9 && NF >= 8 && $2 ~ /^[0-9.]+$/ { t += $2; nt++ }
            END { line = ""; for (i = 1; i <= n; ++i) line = line (i > 1 ? " " : "") w[i]
                  printf "| %s | %s | %s | %.1f | %s |\n", s, b, line, sum / n,
                         nt ? sprintf("%.0f", t / nt) : "-" }'
    done
done
