#!/usr/bin/env bash
# waktuna-cli --zone: each day takes the offset in force at its noon. Around
# the 2025 and 2026 daylight-saving switches of London, Cairo and Sydney the
# times of --zone are those of --tz with the day's offset, so the days on
# either side of a switch differ by the hour; a zone without daylight saving
# gives exactly the --tz output. Natively the zone database's names are used,
# under Wine the system's ("GMT Standard Time").
# usage: zone_test.sh PATH/TO/waktuna-cli [EMULATOR]
set -u
cli=$1; shift
emulator=("$@")
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
run() { "${emulator[@]}" "$cli" "$@" 2>/dev/null | tr -d '\r'; }

windows=0
[ ${#emulator[@]} -gt 0 ] && windows=1

# same_as NAME DATE OFFSET PLACE... : --zone on DATE gives the --tz OFFSET times.
same_as() {
    local zone=$1 date=$2 hours=$3; shift 3
    local a b
    a=$(run times --date "$date" --zone "$zone" "$@")
    b=$(run times --date "$date" --tz "$hours" "$@")
    { [ -n "$a" ] && [ "$a" = "$b" ]; } || fail "$zone $date: not the times of --tz $hours"
}

london=(--lat 51.5072 --lon -0.1276 --method isna)
cairo=(--lat 30.0444 --lon 31.2357 --alt 23 --method egypt)
sydney=(--lat -33.8688 --lon 151.2093 --method wil)
if [ $windows -eq 1 ]; then z_london="GMT Standard Time"; z_cairo="Egypt Standard Time"
    z_sydney="AUS Eastern Standard Time"; z_jakarta="SE Asia Standard Time"
else z_london=Europe/London; z_cairo=Africa/Cairo; z_sydney=Australia/Sydney; z_jakarta=Asia/Jakarta; fi

# The last day of one offset and the first of the next.
for pair in 2025-03-29:0 2025-03-30:1 2025-10-25:1 2025-10-26:0 \
            2026-03-28:0 2026-03-29:1 2026-10-24:1 2026-10-25:0; do
    same_as "$z_london" "${pair%:*}" "${pair#*:}" "${london[@]}"
done
for pair in 2025-04-05:11 2025-04-06:10 2025-10-04:10 2025-10-05:11 \
            2026-04-04:11 2026-04-05:10 2026-10-03:10 2026-10-04:11; do
    same_as "$z_sydney" "${pair%:*}" "${pair#*:}" "${sydney[@]}"
done
# Cairo's summer time came back in 2023 (last Friday of April to the last
# Thursday of October); only the natively read database is sure to know it.
if [ $windows -eq 0 ]; then
    for pair in 2025-04-24:2 2025-04-25:3 2025-10-30:3 2025-10-31:2 \
                2026-04-23:2 2026-04-24:3 2026-10-29:3 2026-10-30:2; do
        same_as "$z_cairo" "${pair%:*}" "${pair#*:}" "${cairo[@]}"
    done
fi

# Jakarta: a year of timetable rows exactly as with --tz 7.
jakarta=(--lat -6.175 --lon 106.8272 --alt 8 --fajr 20 --isha 18)
data=$(mktemp -d "${TMPDIR:-/tmp}/waktuna-zone.XXXXXX")
trap 'rm -rf "$data"' EXIT
same_as "$z_jakarta" 2026-06-01 7 "${jakarta[@]}"
"${emulator[@]}" "$cli" schedule --from 2026-01-01 --to 2026-12-31 --format csv --out "$data/zone.csv" \
    --zone "$z_jakarta" "${jakarta[@]}" 2>/dev/null || fail "schedule --zone"
"${emulator[@]}" "$cli" schedule --from 2026-01-01 --to 2026-12-31 --format csv --out "$data/tz.csv" \
    --tz 7 "${jakarta[@]}" 2>/dev/null || fail "schedule --tz"
cmp -s <(grep -av 'Time Zone' "$data/zone.csv") <(grep -av 'Time Zone' "$data/tz.csv") || fail "Jakarta timetable"
grep -qF "Time Zone =  $z_jakarta" "$data/zone.csv" || fail "the summary names the zone"

# The same timetable over London's spring switch: the hour moves on the 29th.
"${emulator[@]}" "$cli" schedule --from 2026-03-28 --to 2026-03-29 --format csv --out "$data/london.csv" \
    --zone "$z_london" "${london[@]}" 2>/dev/null || fail "schedule London"
[ "$(grep -c '^2[89],[0-9]*,[0-9][0-9]:' "$data/london.csv")" -eq 2 ] || fail "London rows"
grep -q '^28,[0-9]*,[0-9:]*,[0-9:]*,12:' "$data/london.csv" || fail "London 28 March Dhuhur not at 12"
grep -q '^29,[0-9]*,[0-9:]*,[0-9:]*,13:' "$data/london.csv" || fail "London 29 March Dhuhur not at 13"

# Refused: both options, an unknown zone, a name reaching out of the database.
for bad in "--zone $z_london --tz 1" "--zone Mars/Olympus" "--zone ../../etc/passwd"; do
    # shellcheck disable=SC2086
    "${emulator[@]}" "$cli" times $bad --lat 1 --lon 1 --method isna >/dev/null 2>&1
    [ $? -eq 2 ] || fail "accepted: $bad"
done

[ "$failures" -eq 0 ] && echo "cli zone: all checks passed"
exit $((failures > 0))
