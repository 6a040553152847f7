#!/usr/bin/env bash
# Every variant played in xboard, one short match of GAMES games each, one match at a time. Not
# part of the test suite: the whole loop takes several minutes of both cores.
#
#   tests/soak/xboard_variants.sh ENGINE [GAMES] [VARIANT...]
#
# The opponent is Fairy-Stockfish where it plays the same rules, otherwise the engine itself.
# xboard referees the moves (legality testing on) wherever it knows the rules; in the variants it
# knows only from the engine's setup line (horde, horde chess, Dunsany's chess, king of the hill,
# racing kings) it cannot, and trusts the engines' claims. TOOLS points at the client scripts
# (default ../shared/tools from the project root), OUT at the output folder; TC and INC give the
# clock (default 0:06 and 0.1). Prints each match's RESULT line and exits non-zero when any match
# had a problem or an unfinished game.
set -uo pipefail

engine="$(readlink -f "${1:?usage: xboard_variants.sh ENGINE [GAMES] [VARIANT...]}")"
games="${2:-2}"
shift $(($# >= 2 ? 2 : $#))
here="$(cd "$(dirname "$0")" && pwd)"
tools="${TOOLS:-$here/../../../shared/tools}"
for tool in clients/xboard_match.sh; do
    if [ ! -x "$tools/$tool" ]; then
        echo "$(basename "$0"): the client tools are missing (no $tool in $tools); set TOOLS to" \
            "the folder that holds clients/ (xboard, Xvfb and Node.js installed)" >&2
        exit 2
    fi
done
out="${OUT:-/tmp/kv-xboard-variants-$(date +%Y%m%d-%H%M%S)}"
mkdir -p "$out"

# xboard's name, the peer ("self" for the engine itself), xboard's legality testing.
matches=(
    "normal self true"
    "fischerandom self true"
    "shuffle self true"
    "random256 self true"
    "nocastle self true"
    "dunsany self false"
    "hordechess self false"
    "horde fairy-stockfish false"
    "giveaway fairy-stockfish true"
    "3check fairy-stockfish true"
    "kingofthehill fairy-stockfish false"
    "racingkings fairy-stockfish false"
    "atomic self true"
    "crazyhouse fairy-stockfish true"
    "shogi fairy-stockfish true"
    "minishogi fairy-stockfish true"
    "gorogoro fairy-stockfish true"
    "dobutsu self true"
)

failed=0
for match in "${matches[@]}"; do
    read -r variant peer legality <<<"$match"
    if [ $# -gt 0 ] && [[ " $* " != *" $variant "* ]]; then
        continue
    fi
    [ "$peer" = self ] && peer="$engine"
    line="$(OUT="$out/$variant" TC="${TC:-0:06}" INC="${INC:-0.1}" LEGALITY="$legality" \
        "$tools/clients/xboard_match.sh" "$engine" xboard "$variant" "$games" "$peer" 2>&1 |
        grep '^RESULT' | tail -n 1)"
    printf '%-14s %s\n' "$variant" "${line:-RESULT missing}"
    case "$line" in
    *"finished=$games problems=0") ;;
    *) failed=1 ;;
    esac
done
echo "output: $out"
exit "$failed"
