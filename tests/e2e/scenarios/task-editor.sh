#!/usr/bin/env bash
# Task editor: a task added for a second soon fires in that second; a
# deleted one does not fire
source "$(dirname "$0")/../lib.sh"

begin
start
form=$(drive find WaktunaForm1 20)
drive post "$form" 0x111 1007 0   # menu item 7: the task editor
ed=$(drive find WaktunaTaskEditor 10)
# Found as soon as it exists; shown once its controls and list are built.
wait_until 5 holds 'drive visible "$ed"' == 1
task_file() { find "$WINEPREFIX/drive_c" -name Task.dat | head -1; }
add_task() {  # add_task NAME SECONDS-FROM-NOW: a daily information at that second; prints it
    local at name_edit
    at=$(date -d "+$2 seconds" +%H:%M:%S)
    drive send "$(drive nth-child "$ed" Button 2)" 0xF5 0 0 >/dev/null   # BM_CLICK on Add (after the caption button and "...")
    name_edit=$(drive nth-child "$ed" Edit 0)
    drive type-text "$name_edit" "$1"
    for pick in "0 1 504" "1 1 505"; do   # Type: Information; Frequently: Daily
        set -- "$1" $pick
        local c
        c=$(drive nth-child "$ed" ComboBox "$2")
        drive send "$c" 0x14E "$3" 0 >/dev/null
        drive send "$ed" 0x111 $(($4 | 1 << 16)) "$c" >/dev/null
    done
    IFS=: read -r h m s <<<"$at"
    drive set-date "$(drive nth-child "$ed" SysDateTimePick32 0)" 2000 1 1 $((10#$h)) $((10#$m)) $((10#$s))
    drive type-text "$(drive nth-child "$ed" Edit 1)" "$1 now"
    echo "$at"
}
kept=$(add_task Soon 40)
drive click "$ed" Save
# The click is posted and the next Add is sent: let the Save land first, as
# a user's second click would.
wait_until 5 holds 'grep -c "^Soon|" "$(task_file)" 2>/dev/null' == 1
gone=$(add_task Gone 45)
drive click "$ed" Save
wait_until 5 grep -q "^Gone|1|1|$gone|-1|0|0|Gone now" "$(task_file)"
check "saved as a task line" "Soon|1|1|$kept|-1|0|0|Soon now" "$(grep '^Soon' "$(task_file)" | tr -d '\r')"
screenshot "$ed" task-editor.png
drive click "$ed" Delete
confirm=$(drive find WaktunaMessageDialog 10)
drive click "$confirm" OK
wait_until 5 holds 'grep -c "^Gone" "$(task_file)"' == 0
check "the deleted line is gone from the file" 0 "$(grep -c '^Gone' "$(task_file)")"
check "the other is kept" 1 "$(grep -c '^Soon' "$(task_file)")"
drive click "$ed" Close
drive gone WaktunaTaskEditor 5
fired=$(drive wait-dialog 50)
late=$(($(date -d "${fired:0:8}" +%s) - $(date -d "$kept" +%s)))
check "fires in its second (the dialog shows within a second)" 1 "$([ "$late" -ge 0 ] && [ "$late" -le 1 ] && echo 1)"
check "with its message" 1 "$(echo "$fired" | grep -c 'Soon now')"
drive click "$(drive find WaktunaMessageDialog 5)" OK
drive gone WaktunaMessageDialog 5
check "the deleted task does not fire" 1 "$(drive wait-dialog 10 >/dev/null; echo $?)"
finish
