#!/bin/sh
# install_layout.sh PROGRAM BUILD_DIR
# What "make install" lays out, installed into a scratch DESTDIR: the program in games/, which
# answers uci; the manual page, which renders without warnings and names every option and every
# variant the program announces; XBoard's engine registration in the format of Debian's engine
# packages, naming only variants the program accepts in XBoard; and a PNG logo.
set -u
build=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() {
    echo "FAIL $1"
    failures=$((failures + 1))
}

DESTDIR=$root cmake --install "$build" --prefix /usr/local >/dev/null || fail "cmake --install"
prefix=$root/usr/local
for file in games/kvvexdra share/man/man6/kvvexdra.6.gz share/games/plugins/xboard/kvvexdra.eng \
    share/games/plugins/logos/kvvexdra.png share/doc/kvvexdra/copyright; do
    [ -f "$prefix/$file" ] || fail "missing $file"
done
program=$prefix/games/kvvexdra
[ -x "$program" ] || { echo "install_layout: no program"; exit 1; }

uci=$(printf 'uci\n' | "$program" 2>&1)
printf '%s\n' "$uci" | grep -qx uciok || fail "the installed program does not answer uci"

# The manual: every option and variant the program announces is described.
page=$(gzip -dc "$prefix/share/man/man6/kvvexdra.6.gz")
options=$(printf '%s\n' "$uci" | sed -n 's/^option name \(.*\) type .*/\1/p')
[ -n "$options" ] || fail "no options announced"
printf '%s\n' "$options" | while IFS= read -r option; do
    printf '%s\n' "$page" | grep -qF "$option" || echo "FAIL the manual lacks the option $option"
done | grep FAIL && failures=$((failures + 1))
variants=$(printf '%s\n' "$uci" | sed -n 's/^option name UCI_Variant type combo default [^ ]* var //p' |
    sed 's/ var /\n/g')
# The first 18 are the program's own names, each heading a row of the manual's table; the rest
# are the lower-case names managers use, which the manual lists too.
[ "$(printf '%s\n' "$variants" | grep -c .)" -ge 18 ] || fail "the program announces fewer than 18 variants"
for variant in $(printf '%s\n' "$variants" | head -n 18); do
    printf '%s\n' "$page" | grep -q "^$variant\\b" || fail "the manual lacks the variant $variant"
done
for variant in $(printf '%s\n' "$variants" | tail -n +19); do
    printf '%s\n' "$page" | grep -qw -- "$variant" || fail "the manual lacks the variant name $variant"
done
if command -v man >/dev/null 2>&1; then
    warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/kvvexdra.6.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns: $warnings"
fi

# XBoard's registration: the format line xboard requires, the command, the variants.
eng=$prefix/share/games/plugins/xboard/kvvexdra.eng
[ "$(sed -n 1p "$eng")" = "plugin spec 0.0" ] || fail "engine file header"
[ "$(sed -n 2p "$eng")" = "kvvexdra" ] || fail "engine file command"
[ "$(wc -l <"$eng")" = 3 ] || fail "engine file has more than three lines"
features=$(printf 'xboard\nprotover 2\n' | "$program" 2>&1 | sed -n 's/^feature variants="\(.*\)"$/\1/p')
for variant in $(sed -n 3p "$eng" | tr ',' ' '); do
    case ",$features," in
    *",$variant,"*) ;;
    *) fail "engine file names $variant, which the program does not announce" ;;
    esac
    answer=$(printf 'xboard\nprotover 2\nvariant %s\n' "$variant" | "$program" 2>&1 | grep -i 'error')
    [ -z "$answer" ] || fail "variant $variant: $answer"
done

# The logo: a PNG of 100 x 50 pixels, as the other engines' logos.
logo=$prefix/share/games/plugins/logos/kvvexdra.png
[ "$(head -c 8 "$logo" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "logo is no PNG"
[ "$(od -An -tu1 -j16 -N8 "$logo" | tr -s ' ' | sed 's/^ //')" = "0 0 0 100 0 0 0 50" ] ||
    fail "logo is not 100 x 50"

[ "$failures" = 0 ] && echo "install_layout: all passed" && exit 0
echo "install_layout: $failures failed"
exit 1
