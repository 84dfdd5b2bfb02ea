#!/usr/bin/env bash
# End-to-end checks of "waktuna-cli agenda": what the watch does through part
# of a day, from a settings file, a task file and a language file.
# usage: agenda_test.sh PATH/TO/waktuna-cli [EMULATOR]
set -u
cli=$1; shift
emulator=("$@")
failures=0
data=$(mktemp -d "${TMPDIR:-/tmp}/waktuna-agenda.XXXXXX")
trap 'rm -rf "$data"' EXIT
here=$(cd "$(dirname "$0")" && pwd)

run() { "${emulator[@]}" "$cli" agenda "$@" 2>"$data/err"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

expect() {  # expect NAME EXPECTED-OUTPUT ARGS...
    local name=$1 want=$2; shift 2
    local got status
    got=$(run "$@"); status=$?
    if [ "$status" -ne 0 ] || [ "$got" != "$want" ]; then
        fail "$name (status $status, $(cat "$data/err"))"; diff <(echo "$want") <(echo "$got") | head -20
    fi
}

expect_error() {  # expect_error NAME TEXT-IN-STDERR ARGS...
    local name=$1 text=$2; shift 2
    run "$@" >/dev/null; local status=$?
    if [ "$status" -ne 2 ] || ! grep -q -- "$text" "$data/err" || [ "$(wc -l <"$data/err")" -ne 1 ]; then
        fail "$name: status $status, stderr: $(cat "$data/err")"
    fi
}

# Settings files as the program exports them: type, TAB, name=value, CR LF.
sav() { printf '%s\r\n' "$@"; }
place=($'2\tArea=Jakarta' $'2\tLatitude=-6.175' $'2\tLongitude=106.8272' $'2\tAltitude=8'
       $'2\tTZ=7' $'2\tGd=20' $'2\tGn=18')

# Jakarta, 21 March 2009, "HH:mm:ss": Dhuhur 12:00:32. Ten minutes before,
# the time with the adzan (a minute long here) and its Dua, five minutes
# after; a Moving Text task in the same second as Dhuhur comes after the
# announcement, a command at its own second.
sav "${place[@]}" $'1\tTimeFormat=1' $'1\tMessage1=10' $'1\tMessage2=5' $'1\tMAdzan=1' \
    $'1\tMMessage=1' $'1\tUseDua=1' $'2\tAdzanDhuhur=C:\\adzan\\zuhr.wav' >"$data/dhuhur.sav"
printf '%s\r\n' "; tasks" "" 'Lunch|8|1|12:00:32|-1|0|0|Lunch' 'Backup|5|1|12:01:00|-1|0|0|C:\backup.cmd' \
    'Sunday|1|2|12:02:00|0|0|0|not on a Saturday' >"$data/Task.dat"
expect dhuhur "$(printf '%s\n' \
    $'11:50:32\tbar+dialog\t10 minutes again time to sholah Zuhr' \
    $'12:00:32\tannounce\tZuhr' \
    $'12:00:32\tplay-adzan\tC:\\adzan\\zuhr.wav' \
    $'12:00:32\tbar+dialog\tNow is the time to pray Zuhr' \
    $'12:00:32\tmoving-text\tLunch' \
    $'12:01:00\tcommand\tC:\\backup.cmd' \
    $'12:01:32\tplay-dua\tDua.mp3' \
    $'12:05:32\tbar+dialog\t5 minutes has left from Zuhr time')" \
    --settings "$data/dhuhur.sav" --tasks "$data/Task.dat" --date 2009-03-21 --from 11:45:00 --to 12:10:00 \
    --sound-length 60

# "HH:mm" (no TimeFormat): Asar 15:11. A translation of the prayer's name and
# of the after-message template; hibernation 15 minutes after the time; the
# drop zone's alert.
awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" } NR == 5 { $0 = "Ashar" } NR == 137 { $0 = "Sudah %d menit dari waktu %s" } { print }' \
    "$here/../../resources/english.txt" >"$data/id.wlp"
sav "${place[@]}" $'1\tMMinimize=1' $'1\tMessage2=1' $'1\tMShutdownAfter=2' $'1\tMTimeShutdown=15' \
    $'1\tShowDropZone=1' >"$data/asar.sav"
expect asar "$(printf '%s\n' \
    $'15:11:00\tannounce\tAshar' \
    $'15:11:00\tminimize\t' \
    $'15:11:00\tdrop-zone\tNow is the time to pray Ashar' \
    $'15:12:00\tbar+dialog\tSudah 1 menit dari waktu Ashar' \
    $'15:26:00\thibernate\t')" \
    --settings "$data/asar.sav" --language "$data/id.wlp" --date 2009-03-21 --from 15:00:00 --to 15:30:00

# Nothing stored: no alert at all, only the five arrivals of the day.
: >"$data/empty.sav"
got=$(run --settings "$data/empty.sav" --date 2009-03-21)
[ "$(echo "$got" | cut -f2 | sort | uniq -c | tr -s ' ')" = " 5 announce" ] &&
[ "$(echo "$got" | cut -f3 | sort | tr '\n' ' ')" = "Asr Fajr Isha Maghrib Zuhr " ] ||
    fail "empty settings: $got"

expect_error no-settings "--settings" --date 2009-03-21
expect_error missing-settings "cannot read" --settings "$data/none.sav"
# The program starts at --from: its program-start tasks run then; one with a
# time runs at that time as well.
printf '%s\r\n' 'Hello|1|5||-1|0|0|started' 'Again|5|5|08:00:03|-1|0|0|again.cmd' >"$data/start.dat"
expect start-tasks "$(printf '%s\n' $'08:00:00\tdialog\tstarted' $'08:00:00\tcommand\tagain.cmd' \
    $'08:00:03\tcommand\tagain.cmd')" \
    --settings "$data/empty.sav" --tasks "$data/start.dat" --from 08:00:00 --to 08:00:05
expect_error missing-tasks "--tasks" --settings "$data/empty.sav" --tasks "$data/none.dat"
expect_error missing-language "--language" --settings "$data/empty.sav" --language "$data/none.wlp"
expect_error end-before-start "before --from" --settings "$data/empty.sav" --from 12:00:00 --to 11:00:00
expect_error bad-from "--from" --settings "$data/empty.sav" --from 25:00:00
expect_error bad-date "--date" --settings "$data/empty.sav" --date 2009-02-30
expect_error bad-sound-length "--sound-length" --settings "$data/empty.sav" --sound-length -1
"${emulator[@]}" "$cli" agenda --help 2>&1 | grep -q "usage: waktuna-cli agenda" || fail "--help"

[ "$failures" -eq 0 ] && echo "cli agenda: all checks passed"
exit $((failures > 0))
