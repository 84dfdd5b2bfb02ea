#!/usr/bin/env bash
# The prayer-times page: typed, a convention clicked, saved, shown
source "$(dirname "$0")/../lib.sh"

begin
store_jakarta
# The user's own value goes before the machine's default.
drive reg-set-user Latitude sz -6.18
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x111 1003 0   # menu item "Prayer times setting"
page=$(drive child "$form" WaktunaPrayerPage 10)
wait_until 5 holds 'drive visible "$page"' == 1
check "the user's place over the machine's is shown" "-6.18 7" \
    "$(drive get-text "$page" 101) $(drive get-text "$page" 104)"
check "Methods 0: Customize, angles locked" "1 0" "$(drive checked "$page" 115) $(drive enabled "$page" 120)"
screenshot "$form" prayer-page.png
drive set-text "$page" 101 "-6,2"
drive set-text "$page" 102 "106.8"
drive click "$page" "Egyptian General Org. Of Surveying"
wait_until 5 holds 'drive get-text "$page" 120' == 19.5
check "Egypt fills and locks the angles" "19.5 17.5 0" \
    "$(drive get-text "$page" 120) $(drive get-text "$page" 121) $(drive enabled "$page" 120)"
drive set-text "$page" 124 "-3"
drive click "$page" "Follow the Windows time zone, with daylight saving"
wait_until 5 holds 'drive enabled "$page" 104' == 0
check "following Windows locks the zone" 0 "$(drive enabled "$page" 104)"
drive click "$page" "Follow the Windows time zone, with daylight saving"
wait_until 5 holds 'drive enabled "$page" 104' == 1
check "and not following gives the own zone back" 7 "$(drive get-text "$page" 104)"
drive click "$page" Save
wait_until 5 holds 'drive reg-get Methods' == 0x5
check "Save stores what was typed" "-6,2 106.8 19.5 17.5 -3 0x5 0x0" \
    "$(drive reg-get Latitude) $(drive reg-get Longitude) $(drive reg-get Gd) $(drive reg-get Gn) $(drive reg-get Add_Dhuhur) $(drive reg-get Methods) $(drive reg-get FollowWindowsZone)"
check "in the user's key: the machine's defaults stay" "-6.175 0x0" \
    "$(drive reg-get-machine Latitude) $(drive reg-get-machine Methods)"
want=$(wine "$cli" times --lat -6,2 --lon 106.8 --alt 8 --tz 7 --method egypt --add-dhuhr -3 \
    --time-format HH:mm 2>/dev/null | tr -d '\r' | awk '$1 == "Dhuhur" { print $2 }')
panel=$(drive child "$form" WaktunaMainPage 5)
wait_until 5 holds 'drive get-text "$panel" 128' == "$want"
check "the panel shows the new Dhuhur" "$want" "$(drive get-text "$panel" 128)"
# "Select city": the place found by its name is filled in and saved at once.
drive click "$page" "Select city"
picker=$(drive find FCities 10)
check "Select city opens the place names" 1 "$([ -n "$picker" ] && echo 1)"
drive set-text "$picker" 102 Bandung
search=$(drive child "$picker" Edit 2)
drive post "$search" 0x100 13 0   # Enter uses the first place found
drive gone FCities 10 >/dev/null
wait_until 5 holds 'drive reg-get Area' == Bandung
lat=$(drive reg-get Latitude)
check "the chosen place fills the page and is saved" "Bandung $lat 1" \
    "$(drive reg-get Area) $(drive get-text "$page" 101) $([[ $lat == -[678].* ]] && echo 1)"
check "its elevation and zone fill Altitude and Time zone" "714 7" \
    "$(drive get-text "$page" 103) $(drive get-text "$page" 104)"
sleep 1
want=$(drive get-text "$panel" 128)
# A latitude no place has is refused, and nothing is written.
drive set-text "$page" 101 "200"
drive click "$page" Save
found=$(drive wait-dialog 10)
check "the refusal names the values" 1 "$(grep -c 'Invalid value for Latitude or Longitude' <<<"$found")"
drive click "$(drive find WaktunaMessageDialog 2)" OK
drive gone WaktunaMessageDialog 5 >/dev/null
check "nothing written" "$lat" "$(drive reg-get Latitude)"
# A key the user may not change: the error, no saved values, the old times.
drive reg-deny-write
drive set-text "$page" 101 "10"
drive click "$page" Save
found=$(drive wait-dialog 10)
check "a refused write is reported" 1 "$(grep -c 'could not be stored' <<<"$found")"
screenshot "$(drive find WaktunaMessageDialog 2)" prayer-page-not-stored.png
drive click "$(drive find WaktunaMessageDialog 2)" OK
check "the running times are untouched" "$want" "$(drive get-text "$panel" 128)"
finish
