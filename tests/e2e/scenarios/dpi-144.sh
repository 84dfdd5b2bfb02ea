#!/usr/bin/env bash
# 150 % (144 DPI): everything scaled, fonts by point size
source "$(dirname "$0")/../lib.sh"

begin
store_jakarta
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start
form=$(drive find WaktunaForm1 20)
wait_until 10 holds 'drive tray-icons' == 1
drive post "$form" 0x312 1001 0
wait_until 5 holds 'drive visible "$form"' == 1
read -r _ _ w h < <(drive rect "$form")
check "the main window is 150 % of 586 x 407" "879 611" "$w $h"
screenshot "$form" main-144dpi.png
drive post "$form" 0x111 1002 0   # "Program Setting"
page=$(drive child "$form" WaktunaProgramPage 10)
read -r px py pw ph < <(drive rect "$page")
inside=1
for id in 2126 2127 2128 2122 2124; do   # the last rows of both columns
    read -r x y w h < <(drive rect "$(drive control "$page" $id)")
    [ $((x + w)) -le $((px + pw)) ] && [ $((y + h)) -le $((py + ph)) ] || inside="0 ($id)"
done
check "the program page's controls lie inside it" 1 "$inside"
screenshot "$form" program-144dpi.png
# The prayer-times page, whose bottom rows are the tightest.
drive post "$form" 0x111 1003 0   # menu item "Prayer times setting"
page=$(drive child "$form" WaktunaPrayerPage 10)
wait_until 5 holds 'drive visible "$page"' == 1
screenshot "$form" prayer-page-144dpi.png
finish
