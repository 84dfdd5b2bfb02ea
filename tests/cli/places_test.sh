#!/usr/bin/env bash
# waktuna-cli places --search over the shipped place-name files: other names
# find their places, the most populous first, with region, country,
# elevation and zone as GeoNames gives them; a damaged detail file still
# lets the places be found by their own names and is reported once.
# usage: places_test.sh PATH/TO/waktuna-cli [EMULATOR]
set -u
cli=$1; shift
emulator=("$@")
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
run() { "${emulator[@]}" "$cli" places "$@" 2>"$data/err" | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8; }
[ ${#emulator[@]} -eq 0 ] && run() { "$cli" places "$@" 2>"$data/err"; }

data=$(mktemp -d "${TMPDIR:-/tmp}/waktuna-places.XXXXXX")
trap 'rm -rf "$data"' EXIT
shipped=$(cd "$(dirname "$0")/../../dist/Placenames" && pwd)
tab=$'\t'

# first_line NAME EXPECTED ARGS... : the first place found.
first_line() {
    local name=$1 want=$2; shift 2
    local got
    got=$(run "$@" | head -1)
    [ "$got" = "$want" ] || fail "$name: got '$got', want '$want'"
}

mecca="Mecca${tab}Mecca Region${tab}Saudi Arabia${tab}21.42664${tab}39.82563${tab}333${tab}Asia/Riyadh"
first_line makkah "$mecca" --search Makkah --folder "$shipped"
first_line makkah-lower "$mecca" --search makk --folder "$shipped"
first_line bombay "Mumbai${tab}Maharashtra${tab}India${tab}19.07283${tab}72.88261${tab}8${tab}Asia/Kolkata" \
    --search Bombay --folder "$shipped"
# Four places are named Bandung; the city of 2.4 million comes first.
first_line bandung "Bandung${tab}West Java${tab}Indonesia${tab}-6.92222${tab}107.60694${tab}714${tab}Asia/Jakarta" \
    --search Bandung --folder "$shipped"

# A damaged detail file: the file's places are found by their own names,
# without details (so in file order: by name, then latitude), and one line
# on stderr says so.
cp "$shipped"/Indonesia.wpn "$shipped"/Indonesia.wpd "$data"/
head -c 1000 "$shipped"/Indonesia.wpd >"$data"/Indonesia.wpd
first_line damaged "Bandung${tab}${tab}${tab}-8.1676${tab}111.7844${tab}${tab}" --search "Bandung" --folder "$data"
# (Wine may add lines of its own to stderr.)
{ [ "$(grep -c "^waktuna-cli:" "$data/err")" -eq 1 ] && grep -q "damaged.*Indonesia" "$data/err"; } ||
    fail "damaged: stderr '$(cat "$data/err")'"
[ -z "$(run --search Bombay --folder "$data")" ] || fail "damaged: other names still found"

# No place-name files, or a FILE beside --search: usage errors.
mkdir "$data/empty"
"${emulator[@]}" "$cli" places --search Makkah --folder "$data/empty" >/dev/null 2>&1 &&
    fail "empty folder accepted"
"${emulator[@]}" "$cli" places "$shipped/Asia.wpn" --search Makkah >/dev/null 2>&1 && fail "FILE with --search accepted"

[ "$failures" -eq 0 ] && echo "places_test: all passed"
exit $((failures > 0))
