#!/usr/bin/env bash
# Hot key: the real key press, and the show/hide logic
source "$(dirname "$0")/../lib.sh"

begin
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
