#!/usr/bin/env bash
# Moved to a monitor of another DPI while open
source "$(dirname "$0")/../lib.sh"

begin
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
