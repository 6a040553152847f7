#!/bin/sh
# The layering check finds each kind of crossing it guards against: every case puts one bad
# include or one variant name into a copy of the sources and expects the check to fail with that
# rule's words, and the untouched copy to pass.
# Usage: layering_check.sh [program, build folder] (both unused: the check reads the sources)
set -u
here=$(cd "$(dirname "$0")" && pwd)
check="$here/../check_layering.sh"
sources="$here/../../src"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}

fresh() {
    rm -rf "$work/src"
    cp -R "$sources" "$work/src"
}

# expect FILE LINE WORDS: FILE (under src) gets LINE appended; the check must fail and say WORDS.
expect() {
    fresh
    printf '%s\n' "$2" >>"$work/src/$1"
    if output=$(bash "$check" "$work/src" 2>&1); then
        fail "$1 with '$2' passed the check"
    elif ! printf '%s\n' "$output" | grep -qF -- "$3"; then
        fail "$1 with '$2' failed without '$3': $output"
    fi
}

fresh
bash "$check" "$work/src" >/dev/null 2>&1 || fail "the sources themselves fail the check"
# A name in a comment, or inside a longer text, names nothing.
printf '%s\n' '// "crazyhouse" is described in games/' 'const char* Text = "no crazyhouse here";' \
    >>"$work/src/protocols/xboard/uNewCommand.cpp"
bash "$check" "$work/src" >/dev/null 2>&1 || fail "a name in a comment or a longer text fails the check"

expect shell/uCustomCommand.cpp '#include "app/uConsoleEngine.h"' \
    "only src/app and src/main.cpp include app/"
expect engine/uMyInternalEngine.cpp '#include "app/uConsoleEngine.h"' \
    "only src/app and src/main.cpp include app/"
expect perft/uPerftCalculator.cpp '#include "engine/uInternalEngine.h"' \
    "the counting core of perft includes nothing from engine/"
expect perft/mpi/uMpiPerftWorker.cpp '#include "engine/uEngineOutput.h"' \
    "the counting core of perft includes nothing from engine/"
expect protocols/usi/uUSIProtocol.cpp '#include "protocols/uci/uUCICommand.h"' \
    "one protocol folder includes another"
expect protocols/xboard/uOptionCommand.h '#include "protocols/usi/uUSICommand.h"' \
    "one protocol folder includes another"
expect protocols/uGoCommand.cpp '#include "protocols/usi/uUSIEngineOutput.h"' \
    "the shared protocol parts include no protocol folder"
expect protocols/xboard/uNewCommand.cpp 'const char* Name = "crazyhouse";' \
    "a variant is named outside the game model"
expect engine/uVexdraEngine.cpp 'const char* Name = "Chess960";' \
    "a variant is named outside the game model"
expect perft/uDistributedPerftOptions.cpp 'const char* Name = "fischerandom";' \
    "a variant is named outside the game model"
expect games/uGameVariants.cpp '#include "engine/uInternalEngine.h"' \
    "the game model includes only games/, support/ and platform/"
expect engine/uVexdraEngine.cpp '#include "games/chess/uChessPosition.h"' \
    "the abstract game interfaces only"
expect engine/uVexdraEngine.cpp '#include "protocols/uUCIEngineOutput.h"' \
    "the engine includes no protocol"
expect platform/uPlatformFiles.cpp '#include "support/uExceptions.h"' \
    "platform includes only platform/"
expect shell/uConsoleReader.cpp '#include "engine/uEngineOutput.h"' \
    "the shell includes only shell/, support/ and platform/"

if [ "$failures" -ne 0 ]; then
    echo "layering check: $failures case(s) failed"
    exit 1
fi
echo "layering check: every rule found its crossing"
