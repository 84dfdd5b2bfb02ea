#!/usr/bin/env bash
# First start, no settings key
source "$(dirname "$0")/../lib.sh"

begin
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
