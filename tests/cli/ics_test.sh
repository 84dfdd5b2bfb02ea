#!/usr/bin/env bash
# "waktuna-cli schedule --format ics" read by a real iCalendar parser (the npm
# package ical.js): every prayer of every day an event at the CSV's time,
# sunrise only when asked, UIDs stable from one run to the next, lines folded
# at 75 octets; and (natively) memory flat over a century.
# usage: ics_test.sh PATH/TO/waktuna-cli [EMULATOR]
set -u
cli=$1; shift
emulator=("$@")
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
here=$(cd "$(dirname "$0")" && pwd)
modules=${WAKTUNA_NPM:-$here/../../build/npm}/node_modules
if [ ! -f "$modules/ical.js/package.json" ]; then
    npm install --no-save --no-audit --no-fund --prefix "$(dirname "$modules")" ical.js@2.2.1 >/dev/null 2>&1 ||
        { echo "ical.js cannot be installed (npm)"; exit 1; }
fi
data=$(mktemp -d "${TMPDIR:-/tmp}/waktuna-ics.XXXXXX")
trap 'rm -rf "$data"' EXIT
schedule() { "${emulator[@]}" "$cli" schedule "$@" 2>"$data/err" || fail "schedule $*: $(cat "$data/err")"; }

london=(--lat 51.5072 --lon -0.1276 --method isna --place "London, UK; Ealing")
zone=Europe/London
[ ${#emulator[@]} -gt 0 ] && zone="GMT Standard Time"

# A year over both switches, in both time formats, with and without sunrise.
for case in "HH:mm:ss 0" "HH:mm 1"; do
    set -- $case
    extra=(); [ "$2" = 1 ] && extra=(--sunrise)
    common=(--from 2026-01-01 --to 2026-12-31 --zone "$zone" --time-format "$1" --rounding normal "${london[@]}")
    schedule "${common[@]}" --format ics --out "$data/a.ics" "${extra[@]}"
    schedule "${common[@]}" --format csv --out "$data/a.csv"
    node "$here/ics_check.cjs" "$modules" "$data/a.ics" "$data/a.csv" Europe/London "$2" >"$data/check" ||
        fail "$1 sunrise=$2: $(cat "$data/check")"
done

# Stable UIDs: a second run, an hour later, gives the same events.
schedule --from 2026-03-01 --to 2026-03-31 --zone "$zone" "${london[@]}" --format ics --out "$data/1.ics"
sleep 1
schedule --from 2026-03-01 --to 2026-03-31 --zone "$zone" "${london[@]}" --format ics --out "$data/2.ics"
cmp -s <(grep -a '^UID' "$data/1.ics") <(grep -a '^UID' "$data/2.ics") || fail "UIDs differ between runs"
[ "$(grep -ac '^UID:20260329-fajr@' "$data/1.ics")" -eq 1 ] || fail "UID of 29 March's Fajr"
cmp -s <(grep -av '^DTSTAMP' "$data/1.ics") <(grep -av '^DTSTAMP' "$data/2.ics") || fail "events differ between runs"

# A century: peak memory as for one year (measured natively only).
if [ ${#emulator[@]} -eq 0 ] && [ -x /usr/bin/time ]; then
    peak() {
        /usr/bin/time -f '%M %e' -o "$data/rss" "$cli" schedule --from "$1" --to "$2" --format ics \
            --out "$data/long.ics" --zone "$zone" "${london[@]}" 2>/dev/null || fail "range $1..$2"
        tail -1 "$data/rss"
    }
    read -r year _ < <(peak 2026-01-01 2026-12-31)
    read -r century seconds < <(peak 2001-01-01 2100-12-31)
    echo "ics peak RSS: 1 year ${year} KiB, 2001-2100 ${century} KiB in ${seconds} s ($(($(stat -c %s "$data/long.ics") / 1048576)) MiB)"
    [ "$century" -le $((year + 2048)) ] || fail "memory grows with the range: $year KiB -> $century KiB"
    # Every time the CSV of the century has (London's summer nights lack a few Isyas).
    "$cli" schedule --from 2001-01-01 --to 2100-12-31 --format csv --out "$data/long.csv" --zone "$zone" \
        "${london[@]}" 2>/dev/null
    times=$(grep -a '^[0-9]*,[0-9]*,[0-9-]' "$data/long.csv" | cut -d, -f3,5-8 | tr ',' '\n' | grep -vc '^-')
    [ "$(grep -ac '^BEGIN:VEVENT' "$data/long.ics")" -eq "$times" ] || fail "events of a century"
fi

[ "$failures" -eq 0 ] && echo "cli ics: all checks passed"
exit $((failures > 0))
