#!/usr/bin/env bash
# Closing while a modal window runs its loop
source "$(dirname "$0")/../lib.sh"

begin
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
