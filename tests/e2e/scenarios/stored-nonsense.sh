#!/usr/bin/env bash
# A stored value no place has: no times, no Qibla, no NaN
source "$(dirname "$0")/../lib.sh"

begin
store_jakarta
drive reg-set Longitude sz 1e999
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
panel=$(drive child "$form" WaktunaMainPage 5)
check "no Dhuhur, no bearing" "--:-- --" "$(drive get-text "$panel" 128) $(drive get-text "$panel" 182)"
check "nothing reads NAN or INF" 0 "$(drive controls "$panel" | grep -ci 'nan\|inf')"
finish
