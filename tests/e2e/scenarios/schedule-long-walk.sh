#!/usr/bin/env bash
# The longest range the pickers allow (ten seconds and more to
# write): a task due meanwhile comes in its second
source "$(dirname "$0")/../lib.sh"

begin
store_jakarta
at=$(date -d "+10 seconds" +%H:%M:%S)
data="$WINEPREFIX/drive_c/ProgramData/ravenhall/waktuna3"
mkdir -p "$data"
printf '%s\r\n' "; tasks" "" "Mid|1|1|$at|-1|0|0|during the walk" >"$data/Task.dat"
start
form=$(drive find WaktunaForm1 20)
drive post "$form" 0x312 1001 0   # WM_HOTKEY: show the main window
wait_until 5 holds 'drive visible "$form"' == 1
# Wine's pickers start at 14 September 1752 (Windows' at 1 January 1601).
timetable_from_page "Comma Separated Value (csv)" "1752 9 14" "9999 12 31" 'C:\long.csv'
posted=$(date +%s)
fired=$(drive wait-dialog 60)
due=$(date -d "$at" +%s)
shown=$(date -d "${fired:0:8}" +%s)
check "a task due during the walk comes within a second of its time" 1 \
    "$([ $((shown - due)) -ge 0 ] && [ $((shown - due)) -le 1 ] && echo 1)"
drive click "$(drive find WaktunaMessageDialog 5)" OK
wait_until 120 test -s "$WINEPREFIX/drive_c/long.csv"
ended=$(stat -c %Y "$WINEPREFIX/drive_c/long.csv")
echo "e2e: longest range written in about $((ended - posted)) s; the task was due $((due - posted)) s after it began" |
    tee "$out/long-walk.txt"
check "every day of the range written" 3012263 \
    "$(LC_ALL=C awk -F, '$1 ~ /^[0-9]+$/ && $2 ~ /^[0-9]+$/ { n++ } END { print n }' "$WINEPREFIX/drive_c/long.csv")"
finish
