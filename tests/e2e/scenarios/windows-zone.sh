#!/usr/bin/env bash
# The time zone follows Windows: Sydney's daylight saving
# Wine takes the system's zone from TZ. The stored TZ (7) is not used: the
# panel shows Sydney's offset of today and times computed with it.
source "$(dirname "$0")/../lib.sh"

export TZ=Australia/Sydney

begin
store_jakarta
drive reg-set FollowWindowsZone dword 1
drive reg-set TimeFormat dword 1
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
offset=$(date +%z)   # +1100 in Sydney's summer, +1000 in its winter
hours=$((10#${offset:1:2}))
# The icon comes before the settings are read: wait for the panel.
wait_until 5 shows $'\t+ '"$hours"$'\t'
check "today's offset on the panel" 1 "$(drive controls "$form" | grep -c $'\t+ '"$hours"$'\t')"
want=$(wine "$cli" times --lat -6.175 --lon 106.8272 --alt 8 --zone "AUS Eastern Standard Time" \
    --fajr 20 --isha 18 2>/dev/null | tr -d '\r' | awk '$1 == "Dhuhur" { print $2 }')
check "Dhuhur of Sydney's offset" 1 "$(drive controls "$form" | grep -c $'\t'"$want"$'\t')"
drive post "$form" 0x312 1001 0   # WM_HOTKEY shows the window
wait_until 5 holds 'drive visible "$form"' == 1
screenshot "$form" main-windows-zone.png
# A timetable from the page across Sydney's autumn switch (4 April 2027):
# each day in its own offset, as the command line gives it for that zone.
cp "$(dirname "$exe")/../../../dist/jadwal.tpl" "$(dirname "$exe")/"
timetable_from_page "Comma Separated Value (csv)" "2027 4 1" "2027 4 8" 'C:\zone.csv'
wait_until 30 test -s "$WINEPREFIX/drive_c/zone.csv"
wine "$cli" schedule --from 2027-04-01 --to 2027-04-08 --out 'C:\cli-zone.csv' --format csv \
    --place Jakarta --lat -6.175 --lon 106.8272 --alt 8 --zone "AUS Eastern Standard Time" \
    --fajr 20 --isha 18 --time-format HH:mm:ss >/dev/null 2>&1
rows() { grep -a '^[0-9]*,[0-9]*,' "$1"; }
check "a timetable from the page follows the zone's switch" same \
    "$(cmp <(rows "$WINEPREFIX/drive_c/zone.csv") <(rows "$WINEPREFIX/drive_c/cli-zone.csv") >&2 && echo same)"
finish
