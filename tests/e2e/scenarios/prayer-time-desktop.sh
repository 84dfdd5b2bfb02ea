#!/usr/bin/env bash
# A prayer time on the desktop
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../desktop.sh"

begin
dir=$(sound_folder 3000 2000)
target=$(dhuhur_in 20)
drive reg-set MAdzan dword 1
drive reg-set MMessage dword 1
drive reg-set UseDua dword 1
drive reg-set ShowDropZone dword 1
drive reg-set DialogEffect dword 1
drive reg-set AdzanDhuhur sz "$(winepath -w "$dir/adzan.wav" 2>/dev/null)"
wait_second $((target - 20))
watch_streams
wine "$driver" start "$dir/Waktuna.exe" </dev/null >/dev/null 2>&1
dz=$(drive find WaktunaDropZone 20)
check "the drop zone is shown at start" 1 "$(drive visible "$dz")"
wait_second "$target"
sleep 0.3
screenshot "$dz" drop-zone-alert-1.png
sleep 0.5
screenshot "$dz" drop-zone-alert-2.png
check "the drop zone flashes red" 1 \
    "$([ $(($(red_pixels "$out/drop-zone-alert-1.png") + $(red_pixels "$out/drop-zone-alert-2.png"))) -gt 500 ] && echo 1)"
found=$(drive wait-dialog 10)
check "the dialog names the prayer" 1 "$(grep -c '|Now is the time to pray Zuhr|' <<<"|${found#*$'\t'}|")"
bar=$(drive find WaktunaBar 5)
check "the bar is shown" 1 "$(drive visible "$bar")"
wait_until 15 holds 'streams_ended "$log"' -ge 2
check "the adzan and then the Dua played to their ends" "2 2" \
    "$(streams_started "$log") $(streams_ended "$log")"
# The 3-second adzan was heard whole before the Dua began, and the Dua
# came within the next ticks.
apart=$(streams_apart "$log")
check "the Dua follows the whole adzan ($apart ms apart)" 1 \
    "$([ "$apart" -ge 2500 ] && [ "$apart" -le 5500 ] && echo 1)"
dialog=$(drive find WaktunaMessageDialog 2)
drive click "$dialog" OK
wait_until 5 holds 'drive visible "$bar"' == 0
check "OK takes the bar away" 0 "$(drive visible "$bar")"
stop_watching
finish
