#!/usr/bin/env bash
# Fails when an include crosses a layer boundary: the game model (src/games) includes only the
# game model, support and platform; the engine, perft and the protocols see no concrete game
# family.
# Usage: tests/check_layering.sh [source root, default src]
set -uo pipefail
root="${1:-src}"
status=0

report() {
    echo "layering: $1" >&2
    status=1
}

# #include "x/..." lines of the files under a folder, as "file:line:text".
quoted_includes() {
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$1" --include='*.h' --include='*.cpp' || true
}

while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    path=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$hit")
    case "$path" in
        games/* | support/* | platform/*) ;;
        *) report "$hit: the game model includes only games/, support/ and platform/" ;;
    esac
done < <(quoted_includes "$root/games")

while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    path=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$hit")
    case "$path" in
        games/*/*) report "$hit: the engine, perft and the protocols see the abstract game interfaces only" ;;
    esac
done < <(
    quoted_includes "$root/engine"
    quoted_includes "$root/perft"
    quoted_includes "$root/protocols"
)

[ "$status" = 0 ] && echo "layering: clean"
exit "$status"
