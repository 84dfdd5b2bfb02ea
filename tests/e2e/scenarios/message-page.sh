#!/usr/bin/env bash
# The alert-message page: click rules, minutes, Save
source "$(dirname "$0")/../lib.sh"

begin
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
