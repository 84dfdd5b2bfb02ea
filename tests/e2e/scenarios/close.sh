#!/usr/bin/env bash
# "Close Waktuna": Cancel keeps it running, OK ends it
source "$(dirname "$0")/../lib.sh"

begin
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
