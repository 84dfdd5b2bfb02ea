#!/usr/bin/env bash
# Schedule maker: a year's timetable in each format, from the page
source "$(dirname "$0")/../lib.sh"

begin
store_jakarta
cp "$(dirname "$exe")/../../../dist/jadwal.tpl" "$(dirname "$exe")/"   # the template beside the program
start
form=$(drive find WaktunaForm1 20)
drive post "$form" 0x312 1001 0   # WM_HOTKEY: show the main window
wait_until 5 holds 'drive visible "$form"' == 1
drive post "$form" 0x111 1006 0   # menu item 6: Schedule maker
wait_until 5 drive click "$form" "HTML"
from=$(date +%Y-%m-%d)
to=$(date -d "$from +1 year -1 day" +%Y-%m-%d)
IFS=- read -r y m d <<<"$to"
drive set-date "$(drive nth-child "$form" SysDateTimePick32 1)" "$y" "$((10#$m))" "$((10#$d))"
screenshot "$form" schedule-page.png
save_as() {  # save_as EXT CAPTION: "Save file" in that format, as C:\year.EXT
    drive click "$form" "$2"
    drive click "$form" "Save file"
    dlg=$(drive find "#32770" 10)
    wait_until 5 holds 'drive visible "$dlg"' == 1   # ready for the name
    drive type-text "$(drive nth-child "$dlg" Edit 0)" "C:\\year.$1"
    drive post "$dlg" 0x111 1 0   # IDOK
    wait_until 60 test -s "$WINEPREFIX/drive_c/year.$1"
    drive gone "#32770" 5
}
for format in html:HTML tsv:"Tab Separated value (tsv)" csv:"Comma Separated Value (csv)"; do
    ext=${format%%:*}
    save_as "$ext" "${format#*:}"
    wine "$cli" schedule --from "$from" --to "$to" --out "C:\\cli.$ext" --format "$ext" \
        --template "$(winepath -w "$(dirname "$exe")/jadwal.tpl")" --place Jakarta \
        --lat -6.175 --lon 106.8272 --alt 8 --tz 7 --fajr 20 --isha 18 --time-format HH:mm:ss \
        >/dev/null 2>&1
    check "a year's timetable in $ext, as the command line makes it" same \
        "$(cmp "$WINEPREFIX/drive_c/year.$ext" "$WINEPREFIX/drive_c/cli.$ext" >&2 && echo same)"
done
# iCalendar, the fourth format of the list: an event for each of the five prayers of each day.
save_as ics "iCalendar (ics)"
days=$(grep -ac '^[0-9]*,[0-9]*,' "$WINEPREFIX/drive_c/year.csv")
check "a year's timetable in ics" $((days * 5)) "$(grep -c '^BEGIN:VEVENT' "$WINEPREFIX/drive_c/year.ics")"
check "365 or 366 rows in the CSV" 1 \
    "$(grep -ac '^[0-9]*,[0-9]*,' "$WINEPREFIX/drive_c/year.csv" | grep -cE '^36[56]$')"

finish
