#!/usr/bin/env bash
# End-to-end tests of Waktuna.exe: each scenario starts the program in a fresh
# Wine prefix on an X display (Xvfb) with a PulseAudio null sink, and looks at
# it from outside through waktuna-drive (windows, texts, the notification
# area, the registry) as a user or the shell would.
# usage: e2e_test.sh WAKTUNA.EXE WAKTUNA-DRIVE.EXE WAKTUNA-CLI.EXE OUTPUT-DIR
set -u
exe=$(realpath "$1")
driver=$(realpath "$2")
cli=$(realpath "$3")
out=$4
srcdir=$(realpath "$(dirname "$0")/../..")
mkdir -p "$out"
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
failures=0
passes=0
own_pids=()
template=""
prefix=""

cleanup() {
    [ -n "$prefix" ] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    [ -n "$template" ] && rm -rf "$template"
    for pid in "${own_pids[@]}"; do kill "$pid" 2>/dev/null; done
}
trap cleanup EXIT

# A display (ours when none is given) and wait_until.
source "$(dirname "$0")/../support/display.sh"
# Ctrl+Alt+F12 must reach programs, not switch virtual terminals.
setxkbmap -option srvrkeys:none >/dev/null 2>&1 || true

# Sound devices: MCI opens sound files only when one exists.
if ! pulseaudio --check >/dev/null 2>&1; then
    pulseaudio -n --exit-idle-time=-1 --load="module-null-sink sink_name=null" \
        --load=module-native-protocol-unix >/dev/null 2>&1 &
    own_pids+=($!)
fi

# One booted prefix; every scenario gets its own copy of it.
template=$(mktemp -d /tmp/waktuna-e2e.XXXXXX)
WINEPREFIX=$template wineboot -i >/dev/null 2>&1
# No window manager on the display: Wine places windows itself.
WINEPREFIX=$template wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
WINEPREFIX=$template wineserver -w

begin() {  # begin NAME: a fresh prefix for the scenario
    scenario=$1
    prefix=$(mktemp -d /tmp/waktuna-e2e.XXXXXX)
    # Files are shared with the template as hard links; the ones Wine rewrites
    # in place are copied.
    cp -al "$template/." "$prefix/"
    for f in "$template"/*.reg "$template"/drive_c/windows/*.ini; do
        [ -e "$f" ] && cp --remove-destination "$f" "$prefix/${f#"$template"/}"
    done
    export WINEPREFIX=$prefix
}

finish() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    rm -rf "$prefix"
    prefix=""
}

drive() { wine "$driver" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
# A program started through the driver keeps the driver's output open: no
# pipe there, or the reader would wait for the program to end.
start() { wine "$driver" start "$exe" </dev/null >/dev/null 2>&1; }
start_time() {  # prints the milliseconds from the start to the tray icon
    local file
    file=$(mktemp)
    wine "$driver" start-time "$exe" </dev/null >"$file" 2>/dev/null
    tr -d '\r' <"$file"
    rm -f "$file"
}

check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        passes=$((passes + 1))
    else
        echo "FAIL [$scenario] $1: expected '$2', got '$3'"
        failures=$((failures + 1))
    fi
}

screenshot() {  # screenshot HWND FILE
    local x y w h
    read -r x y w h < <(drive rect "$1")
    sleep 0.5
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$2"
}

# holds 'COMMAND' OP VALUE: the command's output, run afresh at every call,
# compared by test(1) (so wait_until really waits for it).
holds() {
    local out
    out=$(eval "$1")
    test "$out" "$2" "$3"
}

# shows TEXT: one control of the main window ($form) shows exactly this line.
shows() { [ "$(drive controls "$form" | grep -c "$1")" == 1 ]; }

# timetable_from_page CAPTION "Y M D" "Y M D" FILE: the schedule page of the
# main window ($form) writes that range in the format of that caption to FILE.
timetable_from_page() {
    drive post "$form" 0x111 1006 0   # menu item 6: Schedule maker
    wait_until 5 drive click "$form" "$1"
    drive set-date "$(drive nth-child "$form" SysDateTimePick32 0)" $2
    drive set-date "$(drive nth-child "$form" SysDateTimePick32 1)" $3
    drive click "$form" "Save file"
    dlg=$(drive find "#32770" 10)
    wait_until 5 holds 'drive visible "$dlg"' == 1
    drive type-text "$(drive nth-child "$dlg" Edit 0)" "$4"
    drive post "$dlg" 0x111 1 0   # IDOK
}

running() { [ "$(drive count Waktuna.exe)" == "$1" ]; }

# The example place: Jakarta, Fajr 20 degrees, Isha 18 degrees, Syafi'i.
store_jakarta() {
    drive reg-set Area sz Jakarta
    drive reg-set Latitude sz -6.175
    drive reg-set Longitude sz 106.8272
    drive reg-set Altitude sz 8
    drive reg-set TZ sz 7
    drive reg-set Gd sz 20
    drive reg-set Gn sz 18
    drive reg-set Syafii dword 0
    drive reg-set Methods dword 0
}

# The Dhuhur time ("HH:mm:ss", today) at latitude 0, time zone 0 and a
# longitude, by the command line's calculation (the program's own core).
dhuhur_at() {
    wine "$cli" times --lat 0 --lon "$1" --tz 0 --fajr 20 --isha 18 --time-format HH:mm:ss \
        2>/dev/null | tr -d '\r' | awk '$1 == "Dhuhur" { print $2 }'
}
seconds_of() { local h m s; IFS=: read -r h m s <<<"$1"; echo $((10#$h * 3600 + 10#$m * 60 + 10#${s%.*})); }

# A longitude whose Dhuhur falls on the given second of the day: a degree
# east brings noon four minutes earlier; two corrections settle the rounding.
longitude_for() {
    local target=$1 lon=0 i got
    for i in 1 2 3 4; do
        got=$(seconds_of "$(dhuhur_at "$lon")")
        [ "$got" -eq "$target" ] && break
        lon=$(awk -v l="$lon" -v g="$got" -v t="$target" 'BEGIN { printf "%.6f", l + (g - t) / 240 }')
    done
    echo "$lon"
}

# --- First start, no settings key ------------------------------------------
begin first-start
start
form=$(drive find WaktunaForm1 20)
check "main window exists" 1 "$([ -n "$form" ] && echo 1)"
wait_until 10 holds 'drive tray-icons' == 1
check "one tray icon" 1 "$(drive tray-icons)"
check "main window hidden" 0 "$(drive visible "$form")"
check "no Hwnd without a key" missing "$(drive reg-get Hwnd || echo missing)"
check "English header" 1 "$(drive controls "$form" | grep -c $'\tPrayer times reminder\t')"
# A right click on the tray icon opens the popup menu.
app=$(drive find WaktunaApplication 5)
drive post "$app" 0x8001 1 0x204   # WM_RBUTTONDOWN
check "right click opens the menu" 0 "$(drive menu; echo $?)"
drive gone "#32768" 5
check "Escape closes it" 0 "$(drive windows | grep -c $'\t#32768\t1\t')"
# A double click on the tray icon (the icon's message to the application window).
app=$(drive find WaktunaApplication 5)
drive post "$app" 0x8001 1 0x203   # WM_LBUTTONDBLCLK
wait_until 5 holds 'drive visible "$form"' == 1
check "double click shows the window" 1 "$(drive visible "$form")"
drive click "$form" Hide
wait_until 5 holds 'drive visible "$form"' == 0
check "the hide button hides it" 0 "$(drive visible "$form")"
drive post "$form" 0x312 1001 0   # WM_HOTKEY
wait_until 5 holds 'drive visible "$form"' == 1
check "hot key shows the window" 1 "$(drive visible "$form")"
screenshot "$form" main-skin0.png
finish

# --- Key present: Hwnd, then a second start hands over ---------------------
begin second-instance
store_jakarta
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
check "Hwnd written" "$form" "$(drive reg-get Hwnd)"
# The shell restarts: our icon is gone until the taskbar announces itself.
app=$(drive find WaktunaApplication 5)
drive tray-delete "$app"
check "icon removed by the shell" 0 "$(drive tray-icons)"
drive taskbar-created "$app"
wait_until 5 holds 'drive tray-icons' == 1
check "icon back after TaskbarCreated" 1 "$(drive tray-icons)"
start
sleep 1
wait_until 15 running 1
check "one process remains" 1 "$(drive count Waktuna.exe)"
check "first window shown" 1 "$(drive visible "$form")"
check "still one tray icon" 1 "$(drive tray-icons)"
check "Jakarta on the panel" 1 "$(drive controls "$form" | grep -c $'\tPlace name Jakarta\t')"
screenshot "$form" main-jakarta-skin0.png
finish

# --- The time zone follows Windows: Sydney's daylight saving -----------------
# Wine takes the system's zone from TZ. The stored TZ (7) is not used: the
# panel shows Sydney's offset of today and times computed with it.
export TZ=Australia/Sydney
begin windows-zone
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
unset TZ

# --- Hot key: the real key press, and the show/hide logic -------------------
begin hot-key
store_jakarta
drive reg-set Skin sz 39
drive reg-set TimeFormat dword 1
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x312 1001 0
wait_until 5 holds 'drive visible "$form"' == 1
screenshot "$form" main-jakarta-skin39.png
drive foreground "$form"
xdotool key ctrl+alt+F12
wait_until 5 holds 'drive visible "$form"' == 0
check "Ctrl+Alt+F12 hides the focused window" 0 "$(drive visible "$form")"
drive post "$form" 0x312 1001 0
wait_until 5 holds 'drive visible "$form"' == 1
check "hot key shows it again" 1 "$(drive visible "$form")"
drive post "$form" 0x312 1001 0
wait_until 5 holds 'drive visible "$form"' == 0
check "and hides it" 0 "$(drive visible "$form")"
finish

# --- A prayer time 20 seconds after the start: the message in that second ---
begin prayer-time
# The time must fall today: close to midnight, wait for the new day.
while [ "$(seconds_of "$(date +%H:%M:%S)")" -gt $((86400 - 90)) ]; do sleep 1; done
now=$(seconds_of "$(date +%H:%M:%S)")
target=$((now + 30))
lon=$(longitude_for "$target")
drive reg-set Latitude sz 0
drive reg-set Longitude sz "$lon"
drive reg-set TZ sz 0
drive reg-set Gd sz 20
drive reg-set Gn sz 18
drive reg-set TimeFormat dword 1
drive reg-set MMessage dword 1
drive reg-set DialogEffect dword 1
# Start 20 seconds before the time.
while [ "$(seconds_of "$(date +%H:%M:%S)")" -lt $((target - 20)) ]; do sleep 0.1; done
start
found=$(drive wait-dialog 40)
shown=$(seconds_of "${found%%$'\t'*}")
check "dialog within a second of the time" 1 "$([ $((shown - target)) -ge -1 ] && [ $((shown - target)) -le 1 ] && echo 1)"
check "the message names the prayer" 1 "$(grep -c '|Now is the time to pray Zuhr|' <<<"|${found#*$'\t'}|")"
dialog=$(drive find WaktunaMessageDialog 2)
sleep 1
screenshot "$dialog" message-dialog.png
drive click "$dialog" OK
wait_until 5 drive gone WaktunaMessageDialog 0
check "OK closes the dialog" 0 "$(drive find WaktunaMessageDialog 0 >/dev/null && echo 1 || echo 0)"
finish

# --- "Close Waktuna": Cancel keeps it running, OK ends it -------------------
begin close
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x111 1013 0   # WM_COMMAND, menu item 13
dialog=$(drive find WaktunaMessageDialog 10)
check "the confirmation asks" 1 "$(drive controls "$dialog" | grep -c $'\tAre you sure you want to close waktuna?\t')"
drive post "$form" 0x111 1013 0   # a second request while one is open
sleep 1
check "one dialog at a time" 1 "$(drive windows | grep -c $'\tWaktunaMessageDialog\t')"
drive click "$dialog" Cancel
drive gone WaktunaMessageDialog 5 >/dev/null
sleep 1
check "Cancel keeps it running" 1 "$(drive count Waktuna.exe)"
check "the dropped request left nothing behind" 0 "$(drive windows | grep -c $'\tWaktunaMessageDialog\t')"
# An earlier OK must not answer a later confirmation: OK on "Hibernate PC"
# (Wine cannot hibernate), then "Close Waktuna" closed by showing the window.
drive post "$form" 0x111 1012 0
dialog=$(drive find WaktunaMessageDialog 10)
drive click "$dialog" OK
drive gone WaktunaMessageDialog 5 >/dev/null
drive post "$form" 0x111 1013 0
drive find WaktunaMessageDialog 10 >/dev/null
drive post "$form" 0x312 1001 0   # showing the main window closes the dialog
drive gone WaktunaMessageDialog 5 >/dev/null
sleep 1
check "showing the window closes the dialog, not as OK" "1 1 0" \
    "$(drive count Waktuna.exe) $(drive visible "$form") $(drive windows | grep -c $'\tWaktunaMessageDialog\t')"
drive post "$form" 0x111 1013 0
dialog=$(drive find WaktunaMessageDialog 10)
drive click "$dialog" OK
wait_until 10 running 0
check "OK ends it" 0 "$(drive count Waktuna.exe)"
check "and takes its icon along" 0 "$(drive tray-icons)"
finish

# --- Closing while a modal window runs its loop ------------------------------
begin close-during-modal
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x111 1012 0   # "Hibernate PC": its confirmation runs a modal loop
drive find WaktunaMessageDialog 10 >/dev/null
drive post "$form" 0x10 0 0       # WM_CLOSE, as at the end of the session
wait_until 10 running 0
check "the modal dialog ends and the program closes" "0 0" \
    "$(drive count Waktuna.exe) $(drive tray-icons)"
finish

# --- 150 % (144 DPI): everything scaled, fonts by point size ---------------
begin dpi-144
store_jakarta
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x312 1001 0
wait_until 5 holds 'drive visible "$form"' == 1
read -r _ _ w h < <(drive rect "$form")
check "the main window is 150 % of 586 x 407" "879 611" "$w $h"
screenshot "$form" main-144dpi.png
finish

# --- Moved to a monitor of another DPI while open ---------------------------
begin dpi-move
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x111 1004 0   # the alert page: its check boxes fit their captions
page=$(drive child "$form" WaktunaAlertPage 10)
wait_until 5 holds 'drive visible "$page"' == 1
read -r _ _ edit_w edit_h < <(drive rect "$(drive control "$page" 101)")
read -r _ _ box_w _ < <(drive rect "$(drive control "$page" 100)")
at96="$(drive rect "$page") $edit_w $edit_h $box_w"
drive dpi-changed "$form" 144 879 611
read -r _ _ w h < <(drive rect "$form")
check "the main window takes the suggested 150 %" "879 611" "$w $h"
read -r _ _ w h < <(drive rect "$(drive control "$page" 101)")
check "a box of the page is 150 % of its size" "$((edit_w * 3 / 2)) $((edit_h * 3 / 2))" "$w $h"
read -r _ _ w _ < <(drive rect "$(drive control "$page" 100)")
check "a check box still fits its larger caption" 1 "$(( w >= box_w * 3 / 2 - 2 && w <= box_w * 3 / 2 + 2 ))"
screenshot "$form" main-moved-to-144dpi.png
drive dpi-changed "$form" 96 586 407
read -r _ _ edit_w edit_h < <(drive rect "$(drive control "$page" 101)")
read -r _ _ box_w _ < <(drive rect "$(drive control "$page" 100)")
check "back at 96 DPI every size is what it was" "$at96" "$(drive rect "$page") $edit_w $edit_h $box_w"
finish

# --- The prayer-times page: typed, a convention clicked, saved, shown -------
begin prayer-page
store_jakarta
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x111 1003 0   # menu item "Prayer times setting"
page=$(drive child "$form" WaktunaPrayerPage 10)
wait_until 5 holds 'drive visible "$page"' == 1
check "the stored place is shown" "-6.175 7" "$(drive get-text "$page" 101) $(drive get-text "$page" 104)"
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

# --- A stored value no place has: no times, no Qibla, no NaN ----------------
begin stored-nonsense
store_jakarta
drive reg-set Longitude sz 1e999
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
panel=$(drive child "$form" WaktunaMainPage 5)
check "no Dhuhur, no bearing" "--:-- --" "$(drive get-text "$panel" 128) $(drive get-text "$panel" 182)"
check "nothing reads NAN or INF" 0 "$(drive controls "$panel" | grep -ci 'nan\|inf')"
finish

# --- The alert-message page: click rules, minutes, Save ---------------------
begin message-page
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x111 1004 0   # menu item "Main message setting"
page=$(drive child "$form" WaktunaAlertPage 10)
wait_until 5 holds 'drive visible "$page"' == 1
check "nothing stored: boxes locked" "0 0" "$(drive checked "$page" 100) $(drive enabled "$page" 101)"
drive click "$page" "Show message before"
wait_until 5 holds 'drive enabled "$page" 101' == 1
drive click "$page" "Shutdown my PC"
drive click "$page" "Hibernate my PC"
sleep 0.5
check "shut down and hibernate exclude each other" "0 1" "$(drive checked "$page" 105) $(drive checked "$page" 106)"
drive set-text "$page" 101 "70000"
drive click "$page" Save
found=$(drive wait-dialog 10)
check "70000 minutes is refused" 1 "$(grep -c 'from 1 to 1439' <<<"$found")"
drive click "$(drive find WaktunaMessageDialog 2)" OK
drive gone WaktunaMessageDialog 5 >/dev/null
drive set-text "$page" 101 "15"
drive click "$page" Save
wait_until 5 drive reg-get Message1 >/dev/null
check "Save stores the page" "0xf 0x2 0x0" "$(drive reg-get Message1) $(drive reg-get MShutdown) $(drive reg-get MShutdownAfter)"
check "its notice names the page" "Main message info setting" "$(drive get-text "$form" 105)"
sleep 11
screenshot "$form" message-page.png
finish

source "$(dirname "${BASH_SOURCE[0]}")/desktop_alerts.sh"

# --- Program settings: skin and language, the adzan trial, start with Windows,
# export and import, and a refused write ------------------------------------
# A copy of the program in the prefix, with a second language file beside it.
install_copy() {
    local dir="$WINEPREFIX/drive_c/Waktuna"
    mkdir -p "$dir/languages"
    cp "$exe" "$(dirname "$exe")/License.txt" "$(dirname "$exe")/Lisensi.txt" "$dir/"
    # Bahasa.wlp: the English text with the header, the page buttons' first
    # caption and the Save button translated.
    awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
         NR == 48 { $0 = "Pengingat waktu sholat" } NR == 50 { $0 = "Halaman utama" }
         NR == 70 { $0 = "Simpan" } { print }' "$srcdir/resources/english.txt" >"$dir/languages/Bahasa.wlp"
    # Three seconds of a quiet tone, 8 kHz mono.
    python3 - "$dir/adzan.wav" <<'PY'
import math, struct, sys, wave
w = wave.open(sys.argv[1], "wb")
w.setnchannels(1); w.setsampwidth(2); w.setframerate(8000)
w.writeframes(b"".join(struct.pack("<h", int(800 * math.sin(i / 5))) for i in range(24000)))
PY
}
control() { drive control "$page" "$1"; }
press() { drive post "$(control "$1")" 0xF5 0 0; }   # BM_CLICK
choose() {  # choose ID ITEM: select an item of a drop-down as the user would
    local combo
    combo=$(control "$1")
    drive send "$combo" 0x14E "$2" 0 >/dev/null                        # CB_SETCURSEL
    drive send "$page" 0x111 $(($1 + 65536)) "$combo" >/dev/null  # CBN_SELCHANGE
}
file_dialog() {  # file_dialog PATH BUTTON: fill the open/save dialog and press its button
    local dlg id
    dlg=$(drive find "#32770" 20) || return 1
    for id in 1148 1152; do drive set-text "$dlg" $id "$1" && break; done
    drive click "$dlg" "$2"
    drive gone "#32770" 20 >/dev/null
}
run_key='SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

begin program-settings
store_jakarta
install_copy
wine "$driver" start 'C:\Waktuna\Waktuna.exe' </dev/null >/dev/null 2>&1
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x312 1001 0
wait_until 10 holds 'drive visible "$form"' == 1
drive post "$form" 0x111 1002 0   # "Program Setting"
page=$(drive child "$form" WaktunaProgramPage 10)
screenshot "$form" program-settings-skin0.png
choose 2100 39    # Light Black Gradient, previewed at once
choose 2101 0     # Bahasa
wait_until 10 shows $'\tPengingat waktu sholat\t'
check "the language is previewed" 1 "$(drive controls "$form" | grep -c $'\tPengingat waktu sholat\t')"
check "nothing stored before Save" missing "$(drive reg-get Language || echo missing)"
choose 2110 1     # the "Normal" effect: a sample dialog
found=$(drive wait-dialog 20)
check "an effect shows a sample" 1 "$(grep -c 'Sample / Contoh / Tulodho' <<<"$found")"
drive click "$(drive find WaktunaMessageDialog 2)" OK
drive gone WaktunaMessageDialog 5 >/dev/null
notice=$(drive control "$form" 105)
press 2122
wait_until 2 holds 'drive visible "$notice"' == 1
check "the saved notice shows" 1 "$(drive visible "$notice")"
wait_until 10 holds 'drive reg-get Skin' == 39
check "Save stores the skin" 39 "$(drive reg-get Skin)"
check "and the language" Bahasa "$(drive reg-get Language)"
check "the Save button is translated" 1 "$(drive controls "$form" | grep -c $'\tSimpan\t')"
wait_until 15 holds 'drive visible "$notice"' == 0
screenshot "$form" program-settings-skin39.png

# The adzan file: chosen in the open-file dialog, stored for Fajr at once.
press 2105
file_dialog 'C:\Waktuna\adzan.wav' "&Open"
wait_until 10 drive reg-get AdzanShubuh >/dev/null
check "the chosen adzan file is stored at once" 'C:\Waktuna\adzan.wav' "$(drive reg-get AdzanShubuh)"
check "and shown in the file box" 'C:\Waktuna\adzan.wav' "$(drive get-text "$page" 2104)"
# Play moves the progress bar, Stop puts it back.
press 2106
# The bar's range is the track's length, in milliseconds.
wait_until 10 holds 'drive send "$(control 2109)" 0x407 0 0' -gt 0   # PBM_GETRANGE
wait_until 10 holds 'drive send "$(control 2109)" 0x408 0 0' -gt 0   # PBM_GETPOS
check "Play moves the progress bar" 1 "$([ "$(drive send "$(control 2109)" 0x408 0 0)" -gt 0 ] && echo 1)"
press 2108
sleep 0.5
check "Stop puts it back" 0 "$(drive send "$(control 2109)" 0x408 0 0)"

# Start with Windows: the Run value holds the quoted path.
drive send "$(control 2119)" 0xF1 1 0 >/dev/null   # BM_SETCHECK
press 2122
wait_until 10 drive reg-get Waktuna3 "$run_key" >/dev/null
check "the Run value" '"C:\Waktuna\Waktuna.exe"' "$(drive reg-get Waktuna3 "$run_key")"

# Export, change, import: the skin is back; Hwnd stays this run's own.
press 2123
file_dialog 'C:\Waktuna\all.sav' "&Save"
wait_until 10 test -s "$WINEPREFIX/drive_c/Waktuna/all.sav"
check "export writes the skin" 1 "$(grep -c $'^2\tSkin=39\r$' "$WINEPREFIX/drive_c/Waktuna/all.sav")"
check "export leaves Hwnd out" 0 "$(grep -c Hwnd "$WINEPREFIX/drive_c/Waktuna/all.sav")"
choose 2100 3
press 2122
wait_until 10 holds 'drive reg-get Skin' == 3
press 2124
file_dialog 'C:\Waktuna\all.sav' "&Open"
found=$(drive wait-dialog 20)
check "import says it is done" 1 "$(grep -c 'The settings were imported.' <<<"$found")"
drive click "$(drive find WaktunaMessageDialog 2)" OK
drive gone WaktunaMessageDialog 5 >/dev/null
check "import brings the skin back" 39 "$(drive reg-get Skin)"
check "Hwnd is still this window" "$form" "$(drive reg-get Hwnd)"

# A Run key that cannot be opened: the error names what was not stored.
wait_until 15 holds 'drive visible "$notice"' == 0   # the last notice is gone
wine reg delete "HKLM\\$run_key" /f >/dev/null 2>&1
press 2122
found=$(drive wait-dialog 20)
check "a refused write is reported" 1 "$(grep -c 'Start with Windows' <<<"$found")"
check "and no saved notice" 0 "$(drive visible "$notice")"
dialog=$(drive find WaktunaMessageDialog 2)
screenshot "$dialog" program-settings-not-stored.png
drive click "$dialog" OK
drive gone WaktunaMessageDialog 5 >/dev/null

# The About page with its licence.
drive post "$form" 0x111 1019 0
about=$(drive child "$form" WaktunaAboutPage 10)
check "the licence box shows the Indonesian licence" 1 "$(drive get-text "$about" 2204 | grep -q 'lisensi' && echo 1)"
screenshot "$form" about.png
finish

# --- Start-up time: from the start to the tray icon, median of five --------
begin start-up-time
times=()
for i in 1 2 3 4 5; do
    ms=$(start_time)
    times+=("${ms:-99999}")
    form=$(drive find WaktunaForm1 10)
    drive post "$form" 0x10 0 0   # WM_CLOSE
    wait_until 10 running 0
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "e2e: start-up to tray icon, ms: ${times[*]} (median $median)" | tee "$out/start-up-time.txt"
finish

# --- Schedule maker: a year's timetable in each format, from the page -----
begin schedule-page
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

# --- The longest range the pickers allow (ten seconds and more to
# --- write): a task due meanwhile comes in its second ---------------------------
begin schedule-long-walk
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

# --- Date converter, driven through its controls -----------------------------
begin converter
start
form=$(drive find WaktunaForm1 20)
drive post "$form" 0x111 1008 0   # menu item 8: the converter
conv=$(drive find WaktunaConverter 10)
combo() { drive nth-child "$conv" ComboBox "$1"; }   # 0-2 Western day, month, year; 3-5 Hijri; 6 correction
pick() {  # pick COMBO-INDEX ITEM CONTROL-ID: choose an item as the user does
    local c
    c=$(combo "$1")
    drive send "$c" 0x14E "$2" 0 >/dev/null                      # CB_SETCURSEL
    drive send "$conv" 0x111 $(($3 | 1 << 16)) "$c" >/dev/null   # WM_COMMAND, CBN_SELCHANGE
}
row() { echo "$(drive text "$(combo "$1")") $(drive text "$(combo $(($1 + 1)))") $(drive text "$(combo $(($1 + 2)))")"; }
today=$(wine "$cli" hijri "$(date +%Y-%m-%d)" | tr -d '\r' | sed -n 2p)
check "opens on today" "$(date +'%-d %B %Y')" "$(row 0)"
check "today's Hijri date" "${today% H}" "$(row 3)"
check "today's weekday" "$(date +%A)" "$(drive text "$(drive nth-child "$conv" Edit 2)")"
# Typing 1500 and choosing February: a Julian year, so the 29th exists.
drive type-text "$(combo 2)" 1500
drive send "$conv" 0x111 $((404 | 5 << 16)) "$(combo 2)" >/dev/null   # CBN_EDITCHANGE
pick 1 1 403
check "February 1500 has 29 days" 29 "$(drive send "$(combo 0)" 0x146 0 0)"   # CB_GETCOUNT
pick 0 28 402
check "29 February 1500 converts" "29 Rajab 905" "$(row 3)"
# A correction of +1: stored, the Hijri row a day on, the Western row where it was.
pick 6 3 409
check "correction stored" 1 "$(drive reg-get HijriyahDiff)"
check "Hijri row a day on" "30 Rajab 905" "$(row 3)"
check "Western row unmoved" "29 February 1500" "$(row 0)"
check "header shows the corrected date" 1 "$(drive controls "$form" | grep -c "( $(wine "$cli" hijri "$(date +%Y-%m-%d)" --correction 1 | tr -d '\r' | sed -n 2p) )")"
screenshot "$conv" converter.png
drive click "$conv" Today
wait_until 5 holds 'row 0' == "$(date +'%-d %B %Y')"
check "Today returns" "$(date +'%-d %B %Y')" "$(row 0)"
drive click "$conv" Close
check "Close closes it" 0 "$(drive gone WaktunaConverter 5; echo $?)"
finish

# --- Task editor: a task added for a second soon fires in that second; a
# --- deleted one does not fire ------------------------------------------------
begin task-editor
start
form=$(drive find WaktunaForm1 20)
drive post "$form" 0x111 1007 0   # menu item 7: the task editor
ed=$(drive find WaktunaTaskEditor 10)
# Found as soon as it exists; shown once its controls and list are built.
wait_until 5 holds 'drive visible "$ed"' == 1
task_file() { find "$WINEPREFIX/drive_c" -name Task.dat | head -1; }
add_task() {  # add_task NAME SECONDS-FROM-NOW: a daily information at that second; prints it
    local at name_edit
    at=$(date -d "+$2 seconds" +%H:%M:%S)
    drive send "$(drive nth-child "$ed" Button 2)" 0xF5 0 0 >/dev/null   # BM_CLICK on Add (after the caption button and "...")
    name_edit=$(drive nth-child "$ed" Edit 0)
    drive type-text "$name_edit" "$1"
    for pick in "0 1 504" "1 1 505"; do   # Type: Information; Frequently: Daily
        set -- "$1" $pick
        local c
        c=$(drive nth-child "$ed" ComboBox "$2")
        drive send "$c" 0x14E "$3" 0 >/dev/null
        drive send "$ed" 0x111 $(($4 | 1 << 16)) "$c" >/dev/null
    done
    IFS=: read -r h m s <<<"$at"
    drive set-date "$(drive nth-child "$ed" SysDateTimePick32 0)" 2000 1 1 $((10#$h)) $((10#$m)) $((10#$s))
    drive type-text "$(drive nth-child "$ed" Edit 1)" "$1 now"
    echo "$at"
}
kept=$(add_task Soon 40)
drive click "$ed" Save
# The click is posted and the next Add is sent: let the Save land first, as
# a user's second click would.
wait_until 5 holds 'grep -c "^Soon|" "$(task_file)" 2>/dev/null' == 1
gone=$(add_task Gone 45)
drive click "$ed" Save
wait_until 5 grep -q "^Gone|1|1|$gone|-1|0|0|Gone now" "$(task_file)"
check "saved as a task line" "Soon|1|1|$kept|-1|0|0|Soon now" "$(grep '^Soon' "$(task_file)" | tr -d '\r')"
screenshot "$ed" task-editor.png
drive click "$ed" Delete
confirm=$(drive find WaktunaMessageDialog 10)
drive click "$confirm" OK
wait_until 5 holds 'grep -c "^Gone" "$(task_file)"' == 0
check "the deleted line is gone from the file" 0 "$(grep -c '^Gone' "$(task_file)")"
check "the other is kept" 1 "$(grep -c '^Soon' "$(task_file)")"
drive click "$ed" Close
drive gone WaktunaTaskEditor 5
fired=$(drive wait-dialog 50)
late=$(($(date -d "${fired:0:8}" +%s) - $(date -d "$kept" +%s)))
check "fires in its second (the dialog shows within a second)" 1 "$([ "$late" -ge 0 ] && [ "$late" -le 1 ] && echo 1)"
check "with its message" 1 "$(echo "$fired" | grep -c 'Soon now')"
drive click "$(drive find WaktunaMessageDialog 5)" OK
drive gone WaktunaMessageDialog 5
check "the deleted task does not fire" 1 "$(drive wait-dialog 10 >/dev/null; echo $?)"
finish

echo "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
