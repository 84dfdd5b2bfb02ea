#!/usr/bin/env bash
# Key present: Hwnd, then a second start hands over
source "$(dirname "$0")/../lib.sh"

begin
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
