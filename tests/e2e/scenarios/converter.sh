#!/usr/bin/env bash
# Date converter, driven through its controls
source "$(dirname "$0")/../lib.sh"

begin
start
form=$(drive find WaktunaForm1 20)
drive post "$form" 0x111 1008 0   # menu item 8: the converter
conv=$(drive find WaktunaConverter 10)
combo() { drive nth-child "$conv" ComboBox "$1"; }   # 0-2 Western day, month, year; 3-5 Hijri; 6 correction
pick() {  # pick COMBO-INDEX ITEM CONTROL-ID: choose an item as the user does
    local c
    c=$(combo "$1")
    drive send "$c" 0x14E "$2" 0 >/dev/null                      # CB_SETCURSEL
    drive send "$conv" 0x111 $(($3 | 1 << 16)) "$c" >/dev/null   # WM_COMMAND, CBN_SELCHANGE
}
row() { echo "$(drive text "$(combo "$1")") $(drive text "$(combo $(($1 + 1)))") $(drive text "$(combo $(($1 + 2)))")"; }
today=$(wine "$cli" hijri "$(date +%Y-%m-%d)" | tr -d '\r' | sed -n 2p)
check "opens on today" "$(date +'%-d %B %Y')" "$(row 0)"
check "today's Hijri date" "${today% H}" "$(row 3)"
check "today's weekday" "$(date +%A)" "$(drive text "$(drive nth-child "$conv" Edit 2)")"
check "no correction stored shows 0" 0 "$(drive text "$(combo 6)")"
check "fifty years either side of today" "101 101" \
    "$(drive send "$(combo 2)" 0x146 0 0) $(drive send "$(combo 5)" 0x146 0 0)"   # CB_GETCOUNT
# Typing 1500 and choosing February: a Julian year, so the 29th exists.
drive type-text "$(combo 2)" 1500
drive send "$conv" 0x111 $((404 | 5 << 16)) "$(combo 2)" >/dev/null   # CBN_EDITCHANGE
pick 1 1 403
check "February 1500 has 29 days" 29 "$(drive send "$(combo 0)" 0x146 0 0)"   # CB_GETCOUNT
pick 0 28 402
check "29 February 1500 converts" "29 Rajab 905" "$(row 3)"
# A correction of +1: stored, the Hijri row a day on, the Western row where it was.
pick 6 3 409
check "correction stored" 1 "$(drive reg-get HijriyahDiff)"
check "Hijri row a day on" "30 Rajab 905" "$(row 3)"
check "Western row unmoved" "29 February 1500" "$(row 0)"
check "header shows the corrected date" 1 "$(drive controls "$form" | grep -c "( $(wine "$cli" hijri "$(date +%Y-%m-%d)" --correction 1 | tr -d '\r' | sed -n 2p) )")"
screenshot "$conv" converter.png
drive click "$conv" Today
wait_until 5 holds 'row 0' == "$(date +'%-d %B %Y')"
check "Today returns" "$(date +'%-d %B %Y')" "$(row 0)"
drive click "$conv" Close
check "Close closes it" 0 "$(drive gone WaktunaConverter 5; echo $?)"
finish
