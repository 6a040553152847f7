#!/bin/sh
# perft_pipe.sh PROGRAM
# Perft counts through a shell pipe, the way scripts check a move generator: all lines are piped
# at once and the input ends. Every perft must run to its end, in input order, in each protocol
# and in the console, and none may say "Aborted".
set -u
program=$1
failures=0

# The "Nodes Searched" totals of an output, in order, on one line.
totals() {
    sed -n 's/^\(info string \|# \)\{0,1\}Nodes Searched: \([0-9]*\)$/\2/p' | tr '\n' ' ' | sed 's/ $//'
}

# check NAME INPUT EXPECTED-TOTALS
check() {
    output=$(printf '%b' "$2" | timeout 600 "$program" 2>&1)
    status=$?
    got=$(printf '%s\n' "$output" | totals)
    if [ "$status" != 0 ] || [ "$got" != "$3" ] || printf '%s\n' "$output" | grep -q 'Aborted'; then
        echo "FAIL $1: exit $status"
        echo "  expected totals: $3"
        echo "  got totals:      $got"
        printf '%s\n' "$output" | grep 'Aborted\|rror' | head -5 | sed 's/^/  /'
        failures=$((failures + 1))
    else
        echo "ok   $1"
    fi
}

# The console's divide: 20 root moves whose counts add up to the total.
output=$(printf 'perft 5\n' | timeout 600 "$program" 2>&1)
divide=$(printf '%s\n' "$output" | grep -E '^[a-h][1-8][a-h][1-8]: [0-9]+$')
if [ "$(printf '%s\n' "$divide" | grep -c .)" = 20 ] &&
    [ "$(printf '%s\n' "$divide" | awk -F': ' '{ s += $2 } END { print s }')" = 4865609 ] &&
    [ "$(printf '%s\n' "$output" | totals)" = 4865609 ]; then
    echo "ok   console perft 5 divide"
else
    echo "FAIL console perft 5 divide"
    printf '%s\n' "$output" | tail -5 | sed 's/^/  /'
    failures=$((failures + 1))
fi

check "console perfts and a command after them" 'perft 4\nperft 3\nabout\n' '197281 8902'

# Fifty position + perft pairs in UCI, three positions in turn: each count belongs to its own
# position, so a line run out of order or against the wrong position shows.
kiwipete='r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1'
endgame='8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1'
input='uci\n'
expected=''
for i in $(seq 1 50); do
    case $((i % 3)) in
    0) input="${input}position startpos\nperft 3\n"; count=8902 ;;
    1) input="${input}position fen $kiwipete\nperft 3\n"; count=97862 ;;
    2) input="${input}position fen $endgame\nperft 3\n"; count=2812 ;;
    esac
    expected="$expected $count"
done
check "uci 50 position + perft pairs" "$input" "${expected# }"

check "usi shogi and minishogi" \
    'usi\nposition startpos\nperft 3\nsetoption name UCI_Variant value minishogi\nposition startpos\nperft 3\n' \
    '25470 2512'
check "xboard new, setboard and variant" \
    "xboard\nprotover 2\nnew\nperft 3\nsetboard $kiwipete\nperft 3\nvariant crazyhouse\nperft 3\n" \
    '8902 97862 8902'

[ "$failures" = 0 ] && echo "perft_pipe: all passed" && exit 0
echo "perft_pipe: $failures failed"
exit 1
