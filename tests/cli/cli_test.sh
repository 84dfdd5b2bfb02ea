#!/usr/bin/env bash
# End-to-end checks of waktuna-cli: exact output, exit statuses, no NaN text.
# usage: cli_test.sh PATH/TO/waktuna-cli [EMULATOR]
set -u
cli=$1; shift
emulator=("$@")
failures=0

# Output as UTF-8 whichever build ran: the Windows build writes the program's
# Windows-1252 bytes as they are.
run() {
    if [ ${#emulator[@]} -gt 0 ]; then
        "${emulator[@]}" "$cli" "$@" 2>/tmp/cli_err.$$ | iconv -f WINDOWS-1252 -t UTF-8
        return "${PIPESTATUS[0]}"
    fi
    "$cli" "$@" 2>/tmp/cli_err.$$
}

expect() {  # expect NAME EXPECTED-OUTPUT ARGS...
    expect_status "$1" 0 "$2" "${@:3}"
}

expect_status() {  # expect_status NAME STATUS EXPECTED-OUTPUT ARGS...
    local name=$1 want_status=$2 want=$3; shift 3
    local got status
    got=$(run "$@"); status=$?
    if [ "$status" -ne "$want_status" ] || [ "$got" != "$want" ]; then
        echo "FAIL $name (status $status)"; diff <(echo "$want") <(echo "$got") | head -20
        [ -s /tmp/cli_err.$$ ] && echo "stderr: $(head -c 500 /tmp/cli_err.$$)"
        failures=$((failures + 1))
    fi
}

expect_error() {  # expect_error NAME TEXT-IN-STDERR ARGS...
    local name=$1 text=$2; shift 2
    local status
    run "$@" >/dev/null; status=$?
    if [ "$status" -ne 2 ] || ! grep -q -- "$text" /tmp/cli_err.$$ || [ "$(wc -l </tmp/cli_err.$$)" -ne 1 ]; then
        echo "FAIL $name: status $status, stderr: $(cat /tmp/cli_err.$$)"
        failures=$((failures + 1))
    fi
}

jakarta=(--lat -6.175 --lon 106.8272 --alt 8 --tz 7 --fajr 20 --isha 18)
expect times-seconds "$(printf 'Shubuh\t04:40:01\nTerbit\t05:56:46\nDhuhur\t12:00:32\nAsar\t15:11:00\nMaghrib\t18:04:19\nIsya\t19:13:00')" \
    times --date 2009-03-21 "${jakarta[@]}"
expect times-imsak "$(printf 'Imsak\t04:30:01\nShubuh\t04:40:01\nTerbit\t05:56:46\nDhuhur\t12:00:32\nAsar\t15:11:00\nMaghrib\t18:04:19\nIsya\t19:13:00')" \
    times --date 2009-03-21 "${jakarta[@]}" --imsak 10
expect_error bad-imsak "--imsak" times --date 2009-03-21 "${jakarta[@]}" --imsak 61
expect times-rounding-normal "$(printf 'Shubuh\t04:40\nTerbit\t05:57\nDhuhur\t12:01\nAsar\t15:11\nMaghrib\t18:04\nIsya\t19:13')" \
    times --date 2009-03-21 "${jakarta[@]}" --time-format HH:mm --rounding normal
# Lenient numbers: a comma separator reads as a point; corrections move the times.
expect times-comma-and-corrections "$(printf 'Shubuh\t04:43\nTerbit\t05:57\nDhuhur\t12:01\nAsar\t15:12\nMaghrib\t18:05\nIsya\t19:14')" \
    times --date 2009-03-21 --lat -6,175 --lon 106,8272 --alt 8 --tz 7 --fajr 20 --isha 18 --time-format HH:mm --rounding up --add-fajr 2
expect times-method "$(run times --date 2009-03-21 --lat -6.175 --lon 106.8272 --tz 7 --fajr 19.5 --isha 17.5)" \
    times --date 2009-03-21 --lat -6.175 --lon 106.8272 --tz 7 --method egypt
# Authority presets: Diyanet's published times for Erzurum, 12 March 2024
# (Ramadan imsakiye), with its preset, the town's elevation and the preset's
# rounding; Kemenag's Subuh for Jakarta, 5 March 2026, needs the preset's
# rounding up, which --method applies unless --rounding is given.
expect times-diyanet "$(printf 'Shubuh\t05:01\nTerbit\t06:24\nDhuhur\t12:30\nAsar\t15:48\nMaghrib\t18:25\nIsya\t19:43')" \
    times --date 2024-03-12 --lat 39.9043 --lon 41.2679 --alt 1890 --tz 3 --method turkey --time-format HH:mm
kemenag=(times --date 2026-03-05 --lat -6.1754 --lon 106.8272 --alt 8 --tz 7 --method kemenag --time-format HH:mm)
[ "$(run "${kemenag[@]}" | head -1)" = $'Shubuh\t04:43' ] || { echo "FAIL kemenag-rounding"; failures=$((failures + 1)); }
[ "$(run "${kemenag[@]}" --rounding down | head -1)" = $'Shubuh\t04:42' ] ||
    { echo "FAIL kemenag-own-rounding"; failures=$((failures + 1)); }
methods=$(run methods)
if [ "$(grep -c $'^[a-z]' <<<"$methods")" -ne 19 ] || [ "$(grep -c $'^\tsource: ' <<<"$methods")" -ne 19 ]; then
    echo "FAIL methods: every preset with its source"; failures=$((failures + 1))
fi
expect_error bad-high-lat "--high-lat" times "${jakarta[@]}" --high-lat north
expect_error bad-isha-interval "--isha-interval" times "${jakarta[@]}" --isha-interval 241
expect_error bad-maghrib-angle "--maghrib-angle" times "${jakarta[@]}" --maghrib-angle 11
expect_error bad-add-sunrise "--add-sunrise" times "${jakarta[@]}" --add-sunrise 121
# Polar day: missing times print as dashes, never as NaN.
polar=$(run times --date 2024-06-21 --lat 69.65 --lon 18.96 --tz 1 --fajr 18 --isha 17 --time-format HH:mm)
if [ "$(echo "$polar" | grep -c -- '--:--$')" -ne 4 ] || echo "$polar" | grep -qi nan ||
   ! echo "$polar" | grep -q "^Dhuhur"$'\t'"11:4[0-9]$"; then
    echo "FAIL times-polar"; echo "$polar"; failures=$((failures + 1))
fi

expect hijri "$(printf '24/3/1430\n24 Rabiul Awal 1430 H')" hijri 2009-03-21
expect hijri-correction "$(printf '25/3/1430\n25 Rabiul Awal 1430 H')" hijri 2009-03-21 --correction 1
expect gregorian "$(printf '22/8/2009\n22 August 2009')" gregorian 1430-09-01
# Before the cut-over dates are Julian: 29 February 1500 exists, 5-14 October 1582 never did.
expect hijri-julian-leap "$(printf '29/7/905\n29 Rajab 905 H')" hijri 1500-02-29
expect_error hijri-lost-days "not a date" hijri 1582-10-10
expect gregorian-safar-30 "$(printf '26/2/2009\n26 February 2009')" gregorian 1430-02-30

expect qibla "$(printf 'bearing\t295.146087646484\t295.146º\neast-west\t25.1460876464844\t25.1460º')" \
    qibla --lat -6.175 --lon 106.8272

expect_error unknown-option "--latitude" times --latitude 5
expect_error bad-number "--tz" times --lat 1 --lon 2 --tz abc --fajr 20 --isha 18
expect_error zero-text "--lat" times --lat 0.0 --lon 2 --tz 7 --fajr 20 --isha 18
expect_error missing-angle "--isha" times --lat 1 --lon 2 --tz 7 --fajr 20
expect_error bad-method "--method" times --lat 1 --lon 2 --tz 7 --method moon
expect_error bad-date "--date" times --date 2009-02-30 "${jakarta[@]}"
expect_error bad-format "--time-format" times "${jakarta[@]}" --time-format hh
expect_error bad-hijri "Hijri date" gregorian 1430-02-31
expect_error bad-correction "--correction" hijri 2009-03-21 --correction 200
# Umm al-Qura: 21 February 2023 is 1 Syaban 1444 (tabular: 30 Rajab), both
# ways; outside 1300..1600 AH the tabular date and a note on stderr.
expect hijri-umalqura "$(printf '1/8/1444\n1 Syaban 1444 H')" hijri 2023-02-21 --calendar umalqura
expect gregorian-umalqura "$(printf '22/2/2023\n22 February 2023')" gregorian 1444-08-01 --calendar umalqura --correction 1
expect hijri-umalqura-outside "$(printf '16/2/1266\n16 Safar 1266 H')" hijri 1850-01-01 --calendar umalqura
grep -q "outside the Umm al-Qura table" /tmp/cli_err.$$ || { echo "FAIL hijri-umalqura-outside: no note"; failures=$((failures + 1)); }
expect_error bad-calendar "--calendar" hijri 2009-03-21 --calendar lunar
expect_error unknown-command "unknown command" moon

# Values no place can have are refused with the option named, never printed
# as NAN or INF: each row is OPTION BAD-VALUE.
while read -r option value; do
    args=(--lat 1 --lon 2 --tz 7 --alt 0 --fajr 20 --isha 18)
    for i in "${!args[@]}"; do [ "${args[$i]}" = "--$option" ] && args[$((i + 1))]=$value; done
    [[ " ${args[*]} " == *" --$option "* ]] || args+=("--$option" "$value")
    expect_error "range-$option-$value" "option --$option: '$value' is outside" times "${args[@]}"
done <<'TABLE'
lat 90.5
lat 1e999
lon -180.01
tz 14.5
tz -1e999
alt 9001
alt -501
fajr 30.5
isha 1e999
add-dhuhr 121
add-isha -121
TABLE
expect_error qibla-infinite "option --lat: '1e999' is outside -90..90" qibla --lat 1e999 --lon 5
expect_error qibla-longitude "option --lon: '181' is outside -180..180" qibla --lat 5 --lon 181

# Files of the program, made in a scratch folder beside the build.
data=$(mktemp -d "${TMPDIR:-/tmp}/waktuna-cli.XXXXXX")
trap 'rm -rf "$data"' EXIT
english="$(dirname "$0")/../../resources/english.txt"

expect language-english "accepted: 310 lines, 310 kept" language "$english"
expect language-line-80 "Univ. Ummul Qura’" language "$english" --line 80
expect language-line-beyond "" language "$english" --line 500
# A translation whose templates are broken, with comments, 215 lines in all.
{
    printf '; Bahasa Indonesia\r\n'
    for i in $(seq 1 214); do
        case $i in
            134) printf 'Waktunya sholat %%s\r\n' ;;
            135) printf '%%s%%s%%n\r\n' ;;
            137) printf '%%d menit setelah %%s\r\n' ;;
            205) printf 'Sholat %%d masih %%s\r\n' ;;
            *) printf 'Baris %d\r\n' "$i" ;;
        esac
    done
} >"$data/id.wlp"
expect language-fallbacks "$(printf '%s\n' 'accepted: 215 lines, 214 kept' \
    'lines 215 to 227 are missing and read as empty text' \
    'line 135 must hold %d then %s; it falls back to the built-in English line: %d minutes again time to sholah %s' \
    'line 205 must hold %s then %s; it falls back to the built-in English line: Time to pray %s still %s (hours:minutes:second)')" \
    language "$data/id.wlp"
expect language-own-template "Waktunya sholat %s" language "$data/id.wlp" --line 134
expect language-fallback-line "%d minutes again time to sholah %s" language "$data/id.wlp" --line 135
tr '\r' '\n' <"$english" | tr -s '\n' >"$data/lf.wlp"
expect_status language-bare-line-feeds 1 \
    "refused: 1 lines, at least 215 needed (a file with bare line feeds reads as one line); the built-in English text is used" \
    language "$data/lf.wlp"
expect language-refused-line "Fajr" language "$data/lf.wlp" --line 2
expect_error language-missing-file "cannot read" language "$data/none.wlp"
expect_error language-bad-line "--line" language "$english" --line 0

# A task file as the editor writes it, with hand-edited lines.
{
    printf '; Task Scheduler Format For Waktuna v3.05\r\n\r\n'
    printf 'Prayer|1|1|12:00:00|-1|0|0|Time for Dhuhur\r\n'
    printf 'Jumat|8|2|11:30:00|5|0|0|Siap|jumatan %%VERSION\r\n'
    printf 'Milad|1|4|8:5:0|-1|17|8|Selamat\n'
    printf 'Bad|1|1|12:00:00|0|0|0|has ; semicolon\r\n'
    printf 'Start|5|5||0|0|0|notepad.exe'
} >"$data/Task.dat"
expect tasks-all "$(printf '%s\n' \
    $'Prayer\t1\t1\t12:00:00\t0\t0\t0\tTime for Dhuhur' \
    $'Jumat\t8\t2\t11:30:00\t5\t0\t0\tSiap|jumatan v3.10' \
    $'Milad\t1\t4\t08:05:00\t0\t17\t8\tSelamat' \
    $'Start\t5\t5\t\t0\t0\t0\tnotepad.exe')" \
    tasks "$data/Task.dat"
# 2031-08-17 is a Sunday; 2009-03-20 a Friday.
expect tasks-aug-17 "$(printf '%s\n' \
    $'Prayer\t1\t1\t12:00:00\t0\t0\t0\tTime for Dhuhur' \
    $'Milad\t1\t4\t08:05:00\t0\t17\t8\tSelamat' \
    $'Start\t5\t5\t\t0\t0\t0\tnotepad.exe')" \
    tasks "$data/Task.dat" --date 2031-08-17
expect tasks-friday "$(printf '%s\n' \
    $'Prayer\t1\t1\t12:00:00\t0\t0\t0\tTime for Dhuhur' \
    $'Jumat\t8\t2\t11:30:00\t5\t0\t0\tSiap|jumatan v3.10' \
    $'Start\t5\t5\t\t0\t0\t0\tnotepad.exe')" \
    tasks "$data/Task.dat" --date 2009-03-20
expect_error tasks-missing-file "cannot read" tasks "$data/none.dat"
expect_error tasks-bad-date "--date" tasks "$data/Task.dat" --date 2009-13-01

# A place-name file: header, two sections (floats little-endian: -6.175 is
# 9A 99 C5 C0, 106.75 is 00 80 D5 42, 0.1 is CD CC CC 3D).
{
    printf '\xC7\x00reserved....\x02\x00'
    printf '\xFA\x04Jawa'
    printf '\x07Jakarta\x9A\x99\xC5\xC0\x00\x80\xD5\x42'
    printf '\xFA\x08Sumatera'
    printf '\x05Medan\xCD\xCC\xCC\x3D\x00\x00\x00\x00'
    printf '\x05Cut'   # a record running past the end
} >"$data/Indonesia.wpn"
expect places-first-load "$(printf '%s\n' $'section\t0\tJawa' $'section\t1\tSumatera' \
    $'Jakarta\t-6.17500\t106.75')" places "$data/Indonesia.wpn"
expect places-section-1 "$(printf '%s\n' $'section\t0\tJawa' $'section\t1\tSumatera' \
    $'Medan\t0.10000\t0')" places "$data/Indonesia.wpn" --section 1
expect places-section-0 "$(printf '%s\n' $'section\t0\tJawa' $'section\t1\tSumatera' \
    $'Jakarta\t-6.1750\t106.75')" places "$data/Indonesia.wpn" --section 0
expect_error places-no-section "--section" places "$data/Indonesia.wpn" --section 2
expect_error places-not-wpn "not a place-name file" places "$data/Task.dat"
expect_error places-missing-file "cannot read" places "$data/none.wpn"

for cmd in times methods hijri gregorian qibla language tasks places; do
    run "$cmd" --help | grep -q "usage: waktuna-cli $cmd" || { echo "FAIL $cmd --help"; failures=$((failures + 1)); }
done

rm -f /tmp/cli_err.$$
[ "$failures" -eq 0 ] && echo "cli: all checks passed"
exit $((failures > 0))
