#!/usr/bin/env bash
# End-to-end tests of the distributed perft program under mpirun on this machine.
#
# usage: mpi_perft_test.sh CASE MPIRUN PERFT_PROGRAM ENGINE [normal|small]
#   counts     every variant family on 1, 2 and 3 processes: the total and the divide lines
#              equal the engine's own perft
#   resume     a run killed in the middle (and its journal's last line cut) restarts from its
#              journal and ends with the same total, every item journaled once
#   foreign    a journal of another variant, position, depth or split depth is refused and left
#              as it was
#   bad_input  bad input gives one error from rank 0 and a non-zero exit, within a time limit
# Prints "N passed, M failed" last; exits 0 only when nothing failed.
set -uo pipefail
case_name=$1 mpirun=$2 perft=$3 engine=$4 scale=${5:-normal}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mpi_flags=(--oversubscribe)
[ "$(id -u)" = 0 ] && mpi_flags+=(--allow-run-as-root)
# A machine without a network card still runs the processes over shared memory.
export OMPI_MCA_btl=self,vader OMPI_MCA_btl_vader_single_copy_mechanism=none
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# run NP ARGS...: the program on NP processes; stdout in $work/out, stderr in $work/err, exit
# code in $rc. A hang ends at the time limit with code 124.
run() {
    local np=$1
    shift
    timeout 300 "$mpirun" "${mpi_flags[@]}" -np "$np" "$perft" "$@" >"$work/out" 2>"$work/err"
    rc=$?
}

# engine_perft VARIANT POSITION_COMMAND DEPTH: the engine's perft lines (move counts and the
# total) without the protocol's prefix, in $work/engine.
engine_perft() {
    local out="$work/engine.raw"
    : >"$out"
    {
        printf 'uci\nsetoption name UCI_Variant value %s\nsetoption name Threads value 1\n' "$1"
        printf 'setoption name Perft Hash value 16\nposition %s\nperft %s\n' "$2" "$3"
        for _ in $(seq 6000); do
            grep -q -e 'Nodes Searched' -e 'Error' "$out" && break
            sleep 0.05
        done
        echo quit
    } | timeout 300 "$engine" >"$out"
    sed -n 's/^info string \([^ ]*: [0-9]*\)$/\1/p; s/^info string \(Nodes Searched: [0-9]*\)$/\1/p' \
        "$out" | grep -v '^Nodes/second' >"$work/engine"
}

# The program's move and total lines, as engine_perft keeps them.
perft_lines() {
    grep -E '^([^ ]+|Nodes Searched): [0-9]+$' "$work/out" | grep -v '^Nodes/second'
}

case_counts() {
    # variant | program position arguments | engine position command | depth | split
    local rows=(
        "chess|--fen|r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1|4|2"
        "chess|--startpos||5|3"
        "chess960|--fen|bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9|4|2"
        "kingOfTheHill|--fen|rnb2b1r/ppp2ppp/3k4/8/1PKp1pn1/3Pq3/PBP1P2P/RN1Q1B1R w - - 4 12|4|2"
        "3Check|--fen|rnbqkbnr/ppp2ppp/8/3pp3/4P3/5Q2/PPPP1PPP/RNB1KBNR w KQkq - 1+1 0 1|4|3"
        "atomic|--fen|rnb1kbnr/pppp1ppp/8/4p3/3P3q/8/PPP1PPPP/RNBQKBNR w KQkq - 0 1|3|2"
        "crazyhouse|--fen|4k3/1P6/8/8/8/8/6p1/4K3[Nn] w - - 0 1|4|2"
        "shogi|--startpos||4|3"
        "minishogi|--sfen|1r2s/4k/1K2p/PS1+B1/1GR2 b GB 17|4|2"
        "dobutsuShogi|--startpos||6|4"
    )
    local row variant flag position depth split engine_position np
    for row in "${rows[@]}"; do
        IFS='|' read -r variant flag position depth split <<<"$row"
        # Sanitizer builds count a ply less below the split.
        [ "$scale" = small ] && [ "$depth" -gt $((split + 1)) ] && depth=$((depth - 1))
        if [ "$flag" = --startpos ]; then
            engine_position=startpos
        else
            engine_position="${flag#--} $position"
        fi
        engine_perft "$variant" "$engine_position" "$depth"
        if ! grep -q '^Nodes Searched: ' "$work/engine"; then
            fail "$variant: the engine gave no perft for $engine_position"
            continue
        fi
        for np in 1 2 3; do
            if [ "$flag" = --startpos ]; then
                run "$np" --variant "$variant" --startpos --depth "$depth" --split "$split" \
                    --divide --hash 8 --threads 1
            else
                run "$np" --variant "$variant" "$flag" "$position" --depth "$depth" \
                    --split "$split" --divide --hash 8 --threads 2
            fi
            if [ "$rc" != 0 ]; then
                fail "$variant $position d$depth on $np: exit $rc: $(cat "$work/err")"
            elif ! diff <(perft_lines) "$work/engine" >"$work/diff"; then
                fail "$variant $position d$depth on $np differs from the engine: $(head "$work/diff")"
            else
                pass
            fi
        done
    done
    # The default split depth and the default table give the same count.
    engine_perft chess startpos 5
    run 2 --variant chess --startpos --depth 5
    if [ "$rc" = 0 ] && [ "$(grep '^Nodes Searched' "$work/out")" = "$(grep '^Nodes' "$work/engine")" ]; then
        pass
    else
        fail "chess d5 with the defaults: exit $rc, $(grep Nodes "$work/out")"
    fi
}

case_resume() {
    local depth=6 expected=119060324
    if [ "$scale" = small ]; then
        depth=5 expected=4865609
    fi
    local journal="$work/journal" args pid lines=0 kvpids
    args=(--variant chess --startpos --depth "$depth" --split 3 --hash 0 --journal "$journal"
          --progress 0.001)
    timeout 600 "$mpirun" "${mpi_flags[@]}" -np 2 "$perft" "${args[@]}" >"$work/out" 2>"$work/err" &
    pid=$!
    # Killed once a few dozen items are journaled: one counting process dies at once, as on a
    # node that fails, and the job goes down with it.
    for _ in $(seq 3000); do
        lines=$( (wc -l <"$journal") 2>/dev/null || echo 0)
        [ "$lines" -ge 40 ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    kvpids=$(pgrep -f "^$perft " || true)
    if [ "$lines" -lt 40 ] || [ -z "$kvpids" ]; then
        wait "$pid"
        fail "the run ended before it could be killed ($lines journal lines)"
        return
    fi
    kill -KILL $(echo "$kvpids" | tail -1)
    wait "$pid"
    rc=$?
    [ "$rc" != 0 ] && pass || fail "the killed run exited with 0"
    local first
    first=$(($(wc -l <"$journal") - 1))
    if grep -q '^Nodes Searched' "$work/out" || [ "$first" -ge 6482 ]; then
        fail "the killed run finished anyway"
        return
    fi
    # A write cut short: half a line without its line break.
    tail -1 "$journal" | head -c 30 >>"$journal"
    run 3 "${args[@]}"
    if [ "$rc" = 0 ] && grep -q "^Nodes Searched: $expected\$" "$work/out"; then
        pass
    else
        fail "the restart: exit $rc, $(grep Nodes "$work/out") $(cat "$work/err")"
    fi
    grep -q " $first found in the journal" "$work/err" && pass ||
        fail "the restart did not take the $first journaled items: $(head -3 "$work/err")"
    grep -q '^Progress: [0-9]*/[0-9]* items, [0-9]* nodes, [0-9]* nodes/s, ' "$work/err" && pass ||
        fail "no progress line on the error stream"
    # Every item once: as many item lines as items, no position twice.
    local items
    items=$(sed -n 's/.*: \([0-9]*\) items from.*/\1/p' "$work/err")
    if [ "$(($(wc -l <"$journal") - 1))" = "$items" ] &&
        [ -z "$(tail -n +2 "$journal" | cut -f1 | sort | uniq -d)" ] &&
        [ "$(tail -c 1 "$journal" | od -An -c | tr -d ' ')" = '\n' ]; then
        pass
    else
        fail "the journal does not hold each of the $items items once"
    fi
    # A finished journal gives the total again without counting.
    run 1 "${args[@]}"
    if [ "$rc" = 0 ] && grep -q "^Nodes Searched: $expected\$" "$work/out" &&
        grep -q " $items found in the journal" "$work/err"; then
        pass
    else
        fail "the run over a finished journal: exit $rc, $(cat "$work/err")"
    fi
}

case_foreign() {
    local journal="$work/journal" before
    run 2 --variant chess --startpos --depth 3 --split 2 --journal "$journal"
    [ "$rc" = 0 ] && pass || fail "the journal's own run: exit $rc $(cat "$work/err")"
    before=$(md5sum <"$journal")
    local kiwipete="r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"
    local foreign=(
        "--variant nocastle --startpos --depth 3 --split 2"
        "--variant chess --startpos --depth 4 --split 2"
        "--variant chess --startpos --depth 3 --split 1"
        "--variant chess --fen $kiwipete --depth 3 --split 2"
    )
    local args np
    for args in "${foreign[@]}"; do
        for np in 1 3; do
            # shellcheck disable=SC2086
            if [[ $args == *--fen* ]]; then
                run "$np" --variant chess --fen "$kiwipete" --depth 3 --split 2 --journal "$journal"
            else
                run "$np" $args --journal "$journal"
            fi
            if [ "$rc" != 0 ] && [ "$rc" != 124 ] &&
                [ "$(grep -c 'belongs to another perft' "$work/err")" = 1 ] &&
                [ "$(grep -c 'kvvexdra-perft' "$work/err")" = 1 ] &&
                ! grep -q '^Nodes' "$work/out" && [ "$(md5sum <"$journal")" = "$before" ]; then
                pass
            else
                fail "$args on $np: exit $rc, $(cat "$work/err")"
            fi
        done
    done
    # The same perft in the same variant under another spelling of its name is its own.
    run 2 --variant CHESS --startpos --depth 3 --split 2 --journal "$journal"
    [ "$rc" = 0 ] && grep -q '^Nodes Searched: 8902$' "$work/out" && pass ||
        fail "the journal's own perft: exit $rc $(cat "$work/err")"
}

case_bad_input() {
    local journal="$work/journal"
    run 1 --variant chess --startpos --depth 3 --split 2 --journal "$journal"
    # Damaged journals: a changed count, a line cut inside, a file that is no journal.
    sed '3s/\t[0-9]*\t\([0-9a-f]*\)$/\t999\t\1/' "$journal" >"$work/changed"
    { head -2 "$journal"; sed -n '3p' "$journal" | cut -f1-3; tail -n +4 "$journal"; } >"$work/cut"
    printf 'just some text\n' >"$work/other"
    local cases=(
        "Unknown variant 'chesss'|--variant chesss --startpos --depth 3"
        "Bad position|--variant chess --fen rnbqkbnr/pppppppp/8 --depth 3"
        "Bad position|--variant shogi --sfen lnsgkgsnl/9 --depth 3"
        "--depth needs a whole number from 1 to 99, not '0'|--variant chess --startpos --depth 0"
        "--depth needs|--variant chess --startpos --depth -2"
        "--depth is missing|--variant chess --startpos"
        "--variant is missing|--startpos --depth 2"
        "The position is missing|--variant chess --depth 2"
        "--split must not exceed --depth|--variant chess --startpos --depth 2 --split 3"
        "Unknown argument '--deep'|--variant chess --startpos --deep 2"
        "line 3 is damaged: its checksum does not match|--variant chess --startpos --depth 3 --split 2 --journal $work/changed"
        "line 3 is damaged: 5 tab-separated fields expected|--variant chess --startpos --depth 3 --split 2 --journal $work/cut"
        "is not a perft journal|--variant chess --startpos --depth 3 --split 2 --journal $work/other"
    )
    local row message args
    # On two processes: the one that reads the input reports, the other ends as well.
    for row in "${cases[@]}"; do
        IFS='|' read -r message args <<<"$row"
        # shellcheck disable=SC2086
        run 2 $args
        if [ "$rc" != 0 ] && [ "$rc" != 124 ] &&
            [ "$(grep -c 'kvvexdra-perft' "$work/err")" = 1 ] &&
            grep -qF -- "$message" "$work/err" && ! grep -q '^Nodes' "$work/out"; then
            pass
        else
            fail "$args: exit $rc, expected '$message', got: $(cat "$work/err")"
        fi
    done
    run 2 --help
    [ "$rc" = 0 ] && grep -q -- '--journal FILE' "$work/out" && pass || fail "--help: exit $rc"
}

"case_$case_name"
echo "$passed passed, $failed failed"
[ "$failed" = 0 ] && [ "$passed" -gt 0 ]
