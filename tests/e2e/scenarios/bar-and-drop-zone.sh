#!/usr/bin/env bash
# The bar at its three positions, and the drop zone
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../desktop.sh"

begin
tasks="$prefix/drive_c/ProgramData/ravenhall/waktuna3"
mkdir -p "$tasks"
printf '; tasks\r\n\r\nbar|8|5|00:00:00|-1|0|0|A moving text at start, scrolling from right to left\r\n' \
    >"$tasks/Task.dat"
drive reg-set BarWidth dword 60
for position in 0 1 2; do
    drive reg-set BarPosition dword $position
    start
    bar=$(drive find WaktunaBar 20)
    sleep 3
    if [ $position -eq 0 ]; then
        before=$(cpu_ms)
        sleep 10
        echo "e2e: CPU while the bar scrolls: $(($(cpu_ms) - before)) ms in 10 s" | tee "$out/cpu.txt"
    fi
    read -r x y w h < <(drive rect "$bar")
    check "bar $position: 60 % wide and centred" "768 256" "$w $x"
    import -window root -crop "1280x120+0+$((y < 50 ? 0 : y - 50))" +repage "$out/bar-position-$position.png"
    form=$(drive find WaktunaForm1 5)
    drive post "$form" 0x10 0 0
    wait_until 10 running 0
done
rm -f "$tasks/Task.dat"
store_jakarta
start
form=$(drive find WaktunaForm1 20)
drive post "$form" 0x312 1001 0   # the main window behind the drop zone
wait_until 5 holds 'drive visible "$form"' == 1
read -r fx fy _ _ < <(drive rect "$form")
drive reg-set dzX sz $((fx + 150))
drive reg-set dzY sz $((fy + 60))
drive post "$form" 0x111 1024 0   # "Drop Zone": shown where dzX, dzY say
dz=$(drive find WaktunaDropZone 10)
wait_until 5 holds 'drive visible "$dz"' == 1
read -r x y _ _ < <(drive rect "$dz")
check "shown at the stored place" "$((fx + 150)) $((fy + 60))" "$x $y"
screenshot "$dz" drop-zone-normal.png
drive post "$form" 0x312 1001 0   # hidden again: idle with the drop zone counting down
sleep 2
before=$(cpu_ms)
sleep 10
echo "e2e: CPU while idle (drop zone shown): $(($(cpu_ms) - before)) ms in 10 s" | tee -a "$out/cpu.txt"
drive post "$form" 0x312 1001 0
wait_until 5 holds 'drive visible "$form"' == 1
drive post "$dz" 0x111 100 0      # "Transparent"
sleep 1
check "transparent stored" 0x1 "$(drive reg-get dzTransparent)"
screenshot "$dz" drop-zone-transparent.png
drive post "$form" 0x312 1001 0   # the main window behind it goes
sleep 1
screenshot "$dz" drop-zone-transparent-changed.png
check "what lies behind shows through, live" 1 \
    "$(cmp -s "$out/drop-zone-transparent.png" "$out/drop-zone-transparent-changed.png" || echo 1)"
drive post "$form" 0x111 1024 0
wait_until 5 holds 'drive visible "$dz"' == 0
check "the tray item hides it" 0 "$(drive visible "$dz")"
finish
