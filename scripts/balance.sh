#!/usr/bin/env bash
# Regenerates the balance report, docs/balance.md, and its plots (docs/balance-*.png): every
# built-in strategy plays the shipped data over several seeds with groundline-sim, and gnuplot
# draws the waves reached and the money over time. The same data gives the same report.
#
#   bash scripts/balance.sh [SEEDS [WAVES]]     (defaults: 10 seeds, at most 30 waves)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seeds=${1:-10}
waves=${2:-30}
strategies=(idle lasers mixed hasty)

bash "$root/scripts/install-deps.sh"
if ! command -v gnuplot >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq gnuplot-nox
fi

build=$root/build-balance
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGROUNDLINE_TESTS=OFF \
      -DGROUNDLINE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target groundline-sim >/dev/null
sim=$build/groundline-sim

work=$(mktemp -d -t groundline-balance.XXXXXX) # under $TMPDIR when it is set
trap 'rm -rf "$work"' EXIT
cd "$root" # the simulator reads data/ from the working directory

for s in "${strategies[@]}"; do
    for ((seed = 1; seed <= seeds; ++seed)); do
        trace=()
        ((seed == 1)) && trace=(--trace "$work/$s.trace")
        nice -n 19 "$sim" --strategy "$s" --seed "$seed" --waves "$waves" "${trace[@]}" \
            >"$work/$s.$seed.txt"
        reached=$(sed -n 's/^waves defeated: //p' "$work/$s.$seed.txt")
        ended=$(sed -n 's/^ended: //p' "$work/$s.$seed.txt")
        time=$(awk '$1 ~ /^[0-9]+$/ && NF == 8 { t = $2 } END { print t + 0 }' "$work/$s.$seed.txt")
        echo "$s $seed $reached $time $ended" >>"$work/results"
    done
done

# Waves defeated by strategy: one point per seed, and the median.
idx=0
for s in "${strategies[@]}"; do
    awk -v s="$s" -v i=$idx -v n="$seeds" '$1 == s { print i + ($2 - (n + 1) / 2) * 0.25 / n, $3 }' \
        "$work/results" >"$work/points.$s"
    sort -n -k3 "$work/results" | awk -v s="$s" -v i=$idx '$1 == s { v[++n] = $3 }
        END { m = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2; print i, m }' \
        >"$work/median.$s"
    idx=$((idx + 1))
done
gnuplot <<GNUPLOT
set terminal pngcairo size 800,480 font "DejaVu Sans,11" noenhanced
set output "$root/docs/balance-waves.png"
set title "Waves defeated per strategy ($seeds seeds, at most $waves waves)"
set ylabel "waves defeated"
set xrange [-0.6:3.6]
set yrange [0:*]
set xtics ("idle" 0, "lasers" 1, "mixed" 2, "hasty" 3)
set grid ytics
set key below horizontal
plot "$work/points.idle" using 1:2 with points pt 7 ps 1.3 lc rgb "#888888" title "one seed", \
     "$work/points.lasers" using 1:2 with points pt 7 ps 1.3 lc rgb "#d03030" notitle, \
     "$work/points.mixed" using 1:2 with points pt 7 ps 1.3 lc rgb "#3060d0" notitle, \
     "$work/points.hasty" using 1:2 with points pt 7 ps 1.3 lc rgb "#c08000" notitle, \
     "< cat $work/median.idle $work/median.lasers $work/median.mixed $work/median.hasty" \
        using 1:2:(0.3) \
        with xerrorbars pt 0 lw 3 lc rgb "black" title "median", \
     10 with lines dt 2 lc rgb "#208020" title "first boss (wave 10)"
GNUPLOT

gnuplot <<GNUPLOT
set terminal pngcairo size 800,480 font "DejaVu Sans,11" noenhanced
set output "$root/docs/balance-money.png"
set title "Money over time, seed 1"
set xlabel "game time (s)"
set ylabel "money"
set grid
set key outside right top vertical
plot "$work/idle.trace" using 1:2 with lines lw 2 lc rgb "#888888" title "idle", \
     "$work/lasers.trace" using 1:2 with lines lw 2 lc rgb "#d03030" title "lasers", \
     "$work/mixed.trace" using 1:2 with lines lw 2 lc rgb "#3060d0" title "mixed", \
     "$work/hasty.trace" using 1:2 with lines lw 2 lc rgb "#c08000" title "hasty"
GNUPLOT

data=$(head -n 1 "$work/idle.1.txt" | sed 's/.*data //')
{
    echo "# Balance"
    echo
    echo "Each built-in strategy of \`groundline-sim\` (see \`docs/simulator.md\`) plays the shipped"
    echo "data over seeds 1 to $seeds, until the base is lost or $waves waves are defeated."
    echo "Regenerate this page and its plots with \`bash scripts/balance.sh\` after any change to"
    echo "\`data/strings.txt\` or to the game; the same data always gives the same page."
    echo "Data digest: \`$data\`."
    echo
    echo "| strategy | least | median | most | runs lost |"
    echo "|---|---|---|---|---|"
    for s in "${strategies[@]}"; do
        sort -n -k3 "$work/results" | awk -v s="$s" '$1 == s { v[++n] = $3; lost += ($5 == "lost") }
            END { m = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
                  printf "| %s | %d | %g | %d | %d of %d |\n", s, v[1], m, v[n], lost, n }'
    done
    echo
    echo "Waves defeated, by strategy and seed:"
    echo
    echo '![waves defeated per strategy](balance-waves.png)'
    echo
    echo "Money over time with seed 1, once per game second. The scripted players spend as soon as"
    echo "they can, so the money stays low; a tall spike is a boss's reward (120 times the wave),"
    echo "spent within the second:"
    echo
    echo '![money over time](balance-money.png)'
    echo
    echo "## Every run"
    echo
    echo "| strategy | seed | waves defeated | game time (s) | how it ended |"
    echo "|---|---|---|---|---|"
    while read -r s seed reached time ended; do
        echo "| $s | $seed | $reached | $time | $ended |"
    done <"$work/results"
    echo
    echo "## The guard"
    echo
    echo "The unit test \`BalanceGuard\` holds the data to a band, with a few seeds: \`idle\` loses by"
    echo "wave 2, \`lasers\` gets past wave 5, \`mixed\` defeats the first boss (wave 10)."
} >"$root/docs/balance.md"
echo "wrote docs/balance.md, docs/balance-waves.png, docs/balance-money.png"
