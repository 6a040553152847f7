#!/usr/bin/env bash
# Fails when an include crosses a floor of the house, or when a variant is named outside the game
# model. The floors, each including only itself and those below it:
#   platform                  the operating system
#   support                   + platform
#   shell                     + support: application framework, commands, console, tables
#   games                     support and platform only: the game model prints through a sink
#   perft (counting core)     + games (abstract interfaces only)
#   engine                    + shell, games (abstract only), the perft counting core
#   perft commands            + engine (*Command.* and *Commands.* of perft/)
#   protocols                 + engine, perft, games (abstract only); a protocol folder
#                             includes the shared parts in protocols/ and never another
#                             protocol folder, and the shared parts include none
#   app, main.cpp             everything: the application wires the floors together
# No file of protocols/, engine/ or perft/ holds a variant's name or alias as a string: the
# variants describe themselves in games/, and the names are read from those descriptions.
# Usage: tests/check_layering.sh [source root, default src]
set -uo pipefail
root="${1:-src}"
status=0

report() {
    echo "layering: $1" >&2
    status=1
}

# #include "x/..." lines of the files under a folder (or of one file), as "file:line:text".
quoted_includes() {
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$@" --include='*.h' --include='*.cpp' ||
        true
}

# The path of a quoted include line.
included_path() {
    local path="${1#*\"}"
    printf '%s' "${path%%\"*}"
}

# Every include of the files under $1 must match one of the patterns $3...; $2 names the rule.
allow_only() {
    local folder="$1" rule="$2"
    shift 2
    local hit path pattern allowed
    while IFS= read -r hit; do
        [ -n "$hit" ] || continue
        path=$(included_path "$hit")
        allowed=0
        for pattern in "$@"; do
            # shellcheck disable=SC2254
            case "$path" in $pattern) allowed=1 ;; esac
        done
        [ "$allowed" = 1 ] || report "$hit: $rule"
    done < <(quoted_includes "$folder")
}

[ -d "$root/platform" ] && allow_only "$root/platform" "platform includes only platform/" 'platform/*'
[ -d "$root/support" ] && allow_only "$root/support" "support includes only support/ and platform/" \
    'support/*' 'platform/*' 'uProjectInfoData.h'
[ -d "$root/shell" ] && allow_only "$root/shell" "the shell includes only shell/, support/ and platform/" \
    'shell/*' 'support/*' 'platform/*'
[ -d "$root/games" ] && allow_only "$root/games" "the game model includes only games/, support/ and platform/" \
    'games/*' 'support/*' 'platform/*'

# The engine, perft and the protocols see the abstract game interfaces only.
while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    case "$(included_path "$hit")" in
        games/*/*) report "$hit: the engine, perft and the protocols see the abstract game interfaces only" ;;
    esac
done < <(quoted_includes "$root/engine" "$root/perft" "$root/protocols")

# Only the application and the entry point include the application.
while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    case "${hit%%:*}" in
        "$root"/app/* | "$root"/main.cpp) continue ;;
    esac
    case "$(included_path "$hit")" in
        app/*) report "$hit: only src/app and src/main.cpp include app/" ;;
    esac
done < <(quoted_includes "$root")

# The counting core of perft reports data and includes nothing above it; the perft and benchmark
# commands may use the engine.
while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    case "${hit%%:*}" in
        *Command.h | *Command.cpp | *Commands.h | *Commands.cpp) continue ;;
    esac
    case "$(included_path "$hit")" in
        engine/* | protocols/* | shell/* | app/*)
            report "$hit: the counting core of perft includes nothing from engine/, protocols/, shell/ or app/" ;;
    esac
done < <(quoted_includes "$root/perft")

# The engine is below the protocols, and below the perft commands that drive it.
while IFS= read -r hit; do
    [ -n "$hit" ] || continue
    case "$(included_path "$hit")" in
        protocols/* | app/* | perft/*Command.h | perft/*Commands.h)
            report "$hit: the engine includes no protocol, no perft command and not the application" ;;
    esac
done < <(quoted_includes "$root/engine")

# A protocol folder includes the shared parts and never another protocol folder; the shared
# parts include none.
if [ -d "$root/protocols" ]; then
    while IFS= read -r hit; do
        [ -n "$hit" ] || continue
        file="${hit%%:*}"
        path=$(included_path "$hit")
        case "$path" in
            app/*) report "$hit: the protocols do not include the application" ;;
        esac
        case "$path" in protocols/*/*) ;; *) continue ;; esac
        target="${path#protocols/}"
        target="${target%%/*}"
        relative="${file#"$root"/protocols/}"
        case "$relative" in
            */*) [ "${relative%%/*}" = "$target" ] ||
                report "$hit: one protocol folder includes another; shared parts belong in protocols/" ;;
            *) report "$hit: the shared protocol parts include no protocol folder" ;;
        esac
    done < <(quoted_includes "$root/protocols")
fi

# The names the variants give themselves in their descriptions (registry names, xboard names,
# aliases), as the string literals that would name them.
variant_names() {
    grep -rhoE '\.(Name|Alias)[[:space:]]*=[[:space:]]*"[^"]+"|\.Aliases[[:space:]]*=[[:space:]]*\{[^}]*\}' \
        "$root/games" --include='*.cpp' --include='*.h' |
        grep -oE '"[^"]+"' | tr -d '"' | tr '[:upper:]' '[:lower:]' | sort -u
}

if [ -d "$root/games" ]; then
    names=$(variant_names)
    [ -n "$names" ] || report "no variant descriptions found under $root/games"
    # String literals outside comments, as "file:line:literal", whose text is a variant's name.
    while IFS= read -r hit; do
        report "$hit: a variant is named outside the game model; read its description"
    done < <(
        for folder in "$root/engine" "$root/perft" "$root/protocols"; do
            [ -d "$folder" ] && find "$folder" \( -name '*.h' -o -name '*.cpp' \) -print
        done | sort | xargs -r awk -v names="$names" '
            BEGIN { count = split(names, list, "\n"); for (i = 1; i <= count; ++i) known[list[i]] = 1 }
            {
                line = $0
                sub(/(^|[ \t])\/\/.*$/, "", line)
                while (match(line, /"[^"\\]*"/)) {
                    text = substr(line, RSTART + 1, RLENGTH - 2)
                    if (tolower(text) in known)
                        print FILENAME ":" FNR ":\"" text "\""
                    line = substr(line, RSTART + RLENGTH)
                }
            }'
    )
fi

[ "$status" = 0 ] && echo "layering: clean"
exit "$status"
