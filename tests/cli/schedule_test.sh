#!/usr/bin/env bash
# End-to-end checks of "waktuna-cli schedule": the files it writes byte for
# byte, its errors, and (natively) that its memory stays flat over centuries.
# usage: schedule_test.sh PATH/TO/waktuna-cli [EMULATOR]
set -u
cli=$1; shift
emulator=("$@")
failures=0
data=$(mktemp -d "${TMPDIR:-/tmp}/waktuna-schedule.XXXXXX")
trap 'rm -rf "$data"' EXIT

run() { "${emulator[@]}" "$cli" schedule "$@" 2>"$data/err"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# expect_error NAME STATUS TEXT-IN-STDERR ARGS...: the status, one line naming
# the problem, and no file written.
expect_error() {
    local name=$1 want=$2 text=$3; shift 3
    rm -f "$data/bad"
    run "$@" --out "$data/bad"; local status=$?
    if [ "$status" -ne "$want" ] || ! grep -q -- "$text" "$data/err" || [ "$(wc -l <"$data/err")" -ne 1 ] ||
       [ -e "$data/bad" ]; then
        fail "$name: status $status, stderr: $(cat "$data/err")"
    fi
}

jakarta=(--lat -6.175 --lon 106.8272 --alt 8 --tz 7 --fajr 20 --isha 18)

# 1 and 2 March 2024 at Jakarta; times and Hijri days worked out separately
# from the solar model and the tabular calendar (20 and 21 Syaban 1445).
printf '%s\r\n' "Prayer times table for Jakarta" "1 March 2024 - 2 March 2024" "" "" \
    "March 2024,,Syaban 1445 H" "Masehi,Hijri,Fajr,Shurook,Zuhr,Asr,Maghrib,Isha" \
    "1,20,04:40:42,05:58:22,12:05:24,15:09:20,18:12:27,19:21:56" \
    "2,21,04:40:46,05:58:21,12:05:13,15:08:21,18:12:06,19:21:30" "" "Keterangan" \
    " Lattitude = 6"$'\xB0'"10'30\"S" " Longitude = 106"$'\xB0'"49'38\"E" " Altitude = 8 m" \
    " Dawn Angle (Gd) = 20"$'\xB0' " Night Angle (Dn) = 18"$'\xB0' " Time Zone =  7" \
    " Asr Calculation Based on Mazhab Syafii" \
    " Conventions for calculation Fajr and Ishaa Based on = Customize degree" "" \
    " Created with Waktuna v3.10" >"$data/want.csv"
tr ',' '\t' <"$data/want.csv" >"$data/want.tsv"

for format in csv tsv; do
    echo "an older, longer file that must be replaced whole ..........................." >"$data/out.$format"
    run --from 2024-03-01 --to 2024-03-02 --format $format --out "$data/out.$format" "${jakarta[@]}" --place Jakarta ||
        fail "$format: status $?, $(cat "$data/err")"
    cmp -s "$data/want.$format" "$data/out.$format" || { fail "$format bytes"; diff "$data/want.$format" "$data/out.$format" | head; }
done
[ "$(ls "$data" | grep -c '\.tmp$')" -eq 0 ] || fail "temporary files left: $(ls "$data")"

# HTML with the template that lies beside the program.
run --from 2024-02-29 --to 2024-03-03 --out "$data/out.html" "${jakarta[@]}" --place "A&B" \
    --color '#1f6F5c' --text-color '#FFFFFF' || fail "html: status $?, $(cat "$data/err")"
for want in '<title>Prayer times table for A&amp;B</title>' '--main: #1F6F5C;' '--on-main: #FFFFFF;' \
    '<tr id="2024229" class="even"><td>29</td><td>19</td>' '<tr id="202431" class="friday"><td>1</td><td>20</td>' \
    '<tr id="202433" class="week">' '<span>March 2024</span><span class="hijri">Syaban 1445 H</span>' \
    'Lattitude = 6&deg;10'"'"'30&quot;S<br />' 'Created with <a href='; do
    grep -qF -- "$want" "$data/out.html" || fail "html lacks: $want"
done
grep -q '{[A-Z_]*}' "$data/out.html" && fail "html keeps a placeholder: $(grep -o '{[A-Z_]*}' "$data/out.html" | head -3)"

# A template of one's own, and a place name typed in UTF-8 (Windows-1252 in the file).
printf '{TITLE}|{PERIODE}<!--header-->[{BLN_M}]<!--jadwal-->' >"$data/own.tpl"
run --from 2024-01-31 --to 2024-02-01 --out "$data/own.html" --template "$data/own.tpl" \
    "${jakarta[@]}" --place "D"$'\xC3\xBC'"sseldorf" --method karachi || fail "own template: $(cat "$data/err")"
printf 'Prayer times table for D\xFCsseldorf|31 January 2024 - 1 February 2024[January 2024][February 2024]' >"$data/want.html"
cmp -s "$data/want.html" "$data/own.html" || fail "own template: $(od -c "$data/own.html" | head -5)"

expect_error end-before-start 2 "before --from" --from 2024-03-02 --to 2024-03-01 "${jakarta[@]}"
expect_error bad-format 2 "--format" --format xls --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}"
expect_error bad-colour 2 "--color" --color 808080 --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}"
expect_error bad-text-colour 2 "--text-color" --text-color '#80808G' --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}"
expect_error missing-template 2 "--template" --template "$data/none.tpl" --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}"
expect_error bad-correction 2 "--correction" --correction 128 --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}"
run --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}" >/dev/null
{ [ $? -eq 2 ] && grep -q -- "--out" "$data/err"; } || fail "missing --out: $(cat "$data/err")"
expect_error bad-calendar 2 "--calendar" --calendar hijri --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}"
expect_error bad-imsak 2 "--imsak" --imsak 90 --from 2024-03-01 --to 2024-03-01 "${jakarta[@]}"

# The Umm al-Qura day (21 February 2023 is 1 Syaban there, 30 Rajab by the
# tabular rule).
run --from 2023-02-21 --to 2023-02-21 --format csv --calendar umalqura --out "$data/uaq.csv" "${jakarta[@]}" || fail "umalqura csv"
grep -q $'^21,1,' "$data/uaq.csv" || fail "umalqura day: $(head -c 300 "$data/uaq.csv")"

# The year chart alone: well-formed XML with a line and a name for each
# time; a range over ten years gives ten years and says so on stderr.
run --from 2026-01-01 --to 2037-06-30 --format svg --imsak 10 --out "$data/chart.svg" "${jakarta[@]}" || fail "svg"
grep -q "first 10 years" "$data/err" || fail "svg of twelve years: no note ($(cat "$data/err"))"
python3 - "$data/chart.svg" <<'PY' || fail "svg: not the chart"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
ns = "{http://www.w3.org/2000/svg}"
texts = [t.text for t in root.iter(ns + "text")]
assert len(list(root.iter(ns + "polyline"))) == 7, "lines"
assert all(n in texts for n in ["Imsak", "Fajr", "Shurook", "Zuhr", "Asr", "Maghrib", "Isha"]), texts
assert any(t and t.startswith("1 January 2026 - 31 December 2035") for t in texts), texts
PY

# A folder that does not exist: a write failure (status 1) naming the file.
run --from 2024-03-01 --to 2024-03-01 --format csv --out "$data/no/such.csv" "${jakarta[@]}"
{ [ $? -eq 1 ] && grep -q "such.csv" "$data/err"; } || fail "unwritable: $(cat "$data/err")"
"${emulator[@]}" "$cli" schedule --help 2>&1 | grep -q "usage: waktuna-cli schedule" || fail "--help"

# A preset's timetable holds the times "times" gives with the same options
# (Makkah: Isha 90 minutes after Maghrib, here 120 from 1 Ramadan 1445 = 11
# March 2024), and its summary names the authority.
makkah=(--lat 21.4225 --lon 39.8262 --tz 3 --method makkah --isha-interval-ramadan 120)
run --from 2024-03-10 --to 2024-03-11 --format tsv --out "$data/makkah.tsv" "${makkah[@]}"
for day in 10 11; do
    want=$("${emulator[@]}" "$cli" times --date 2024-03-$day "${makkah[@]}" | tr -d '\r' | cut -f2 | tr '\n' '\t')
    got=$(tr -d '\r' <"$data/makkah.tsv" | grep "^$day"$'\t' | cut -f3-8 | tr '\n' '\t')
    [ "$got" = "$want" ] || fail "makkah $day: timetable '$got', times '$want'"
done
grep -q "Based on = Umm al-Qura University, Makkah" "$data/makkah.tsv" || fail "makkah: summary names the preset"

# Memory does not grow with the range: the peak for two centuries is that of
# one year, give or take. Measured natively only (Wine's own memory dwarfs it).
if [ ${#emulator[@]} -eq 0 ] && [ -x /usr/bin/time ]; then
    peak() {
        /usr/bin/time -f '%M' -o "$data/rss" "$cli" schedule --from "$1" --to "$2" --format "$3" \
            --out "$data/long.$3" "${jakarta[@]}" 2>/dev/null || fail "long range $1..$2 $3"
        tail -1 "$data/rss"
    }
    for format in html csv; do
        year=$(peak 2024-01-01 2024-12-31 $format)
        centuries=$(peak 1900-01-01 2100-12-31 $format)
        size=$(stat -c %s "$data/long.$format")
        echo "peak RSS $format: 1 year ${year} KiB, 1900-2100 ${centuries} KiB ($((size / 1024)) KiB written)"
        [ "$centuries" -le $((year + 2048)) ] || fail "memory grows with the range ($format): $year KiB -> $centuries KiB"
    done
    # The whole file arrived: 2412 month blocks, 73414 days.
    [ "$(grep -c '^[0-9]*,[0-9]*,[0-9:]*,' "$data/long.csv")" -eq 73414 ] || fail "rows of 1900-2100"
    [ "$(grep -c '^Masehi,' "$data/long.csv")" -eq 2412 ] || fail "blocks of 1900-2100"
fi

[ "$failures" -eq 0 ] && echo "cli schedule: all checks passed"
exit $((failures > 0))
