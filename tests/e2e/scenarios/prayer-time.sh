#!/usr/bin/env bash
# A prayer time 20 seconds after the start: the message in that second
source "$(dirname "$0")/../lib.sh"

begin
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
