#!/usr/bin/env bash
# Long matches through real clients, with the engine's resident memory sampled all along. Not part
# of the test suite: a run takes tens of minutes.
#
#   tests/soak/soak.sh ENGINE [UCI_GAMES_PER_VARIANT] [XBOARD_GAMES]
#
# The UCI referee plays UCI_GAMES_PER_VARIANT games (default 60) in each of five variants on one
# engine process per variant; xboard then plays XBOARD_GAMES games (default 100) of the engine
# against itself, one process per side for the whole match. Every engine process's resident set is
# read from /proc twice a second. Per process the script prints its samples, the resident set once
# it has warmed up (after a tenth of its life), the largest and the last; a process whose last
# sample exceeds its warmed-up one by more than 4 MiB fails the run. TOOLS points at the client
# scripts (default ../shared/tools from the project root), OUT at the output folder.
set -uo pipefail

engine="$(readlink -f "${1:?usage: soak.sh ENGINE [UCI_GAMES_PER_VARIANT] [XBOARD_GAMES]}")"
uciGames="${2:-60}"
xboardGames="${3:-100}"
here="$(cd "$(dirname "$0")" && pwd)"
tools="${TOOLS:-$here/../../../shared/tools}"
for tool in clients/uci_referee clients/xboard_match.sh; do
    if [ ! -x "$tools/$tool" ]; then
        echo "$(basename "$0"): the client tools are missing (no $tool in $tools); set TOOLS to" \
            "the folder that holds clients/ (xboard, Xvfb and Node.js installed)" >&2
        exit 2
    fi
done
out="${OUT:-/tmp/kv-soak-$(date +%Y%m%d-%H%M%S)}"
mkdir -p "$out"
samples="$out/rss.tsv"
name="$(basename "$engine")"

sample() {
    while :; do
        for pid in $(pgrep -x "$name"); do
            rss="$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null)"
            [ -n "$rss" ] && printf '%s\t%s\t%s\n' "$(date +%s.%N)" "$pid" "$rss"
        done
        sleep 0.5
    done >>"$samples"
}
: >"$samples"
sample &
sampler=$!
trap 'kill $sampler 2>/dev/null' EXIT

status=0
echo "UCI referee: $uciGames games in each of chess, crazyhouse, atomic, 3Check, giveaway"
"$tools/clients/uci_referee" --variants chess,crazyhouse,atomic,3Check,giveaway \
    --games "$uciGames" --fen-games 0 --no-probes --tc 60000+0 --log "$out/uci.log" \
    "$engine" >"$out/uci.out" 2>&1 || status=1
tail -1 "$out/uci.out"

echo "xboard: $xboardGames games of the engine against itself"
OUT="$out/xboard" TC=0:30 INC=0 MAX_MOVES=150 \
    "$tools/clients/xboard_match.sh" "$engine" xboard normal "$xboardGames" "$engine" \
    >"$out/xboard.out" 2>&1 || status=1
tail -1 "$out/xboard.out"

kill $sampler 2>/dev/null
wait $sampler 2>/dev/null

# Per process: samples, warmed-up RSS (the sample a tenth of the way in), largest, last (KiB).
awk -F'\t' '
    { n[$2]++; v[$2, n[$2]] = $3; if ($3 > mx[$2]) mx[$2] = $3 }
    END {
        bad = 0
        printf "%-8s %8s %12s %12s %12s\n", "pid", "samples", "warm KiB", "max KiB", "last KiB"
        for (p in n) {
            if (n[p] < 4) continue
            w = v[p, int(n[p] / 10) + 1]; l = v[p, n[p]]
            verdict = (l - w > 4096) ? "GROWS" : "flat"
            if (verdict == "GROWS") bad = 1
            printf "%-8s %8d %12d %12d %12d  %s\n", p, n[p], w, mx[p], l, verdict
        }
        exit bad
    }' "$samples" | tee "$out/memory.txt"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
echo "output: $out"
[ $status -eq 0 ] && echo "SOAK PASSED" || echo "SOAK FAILED"
exit $status
