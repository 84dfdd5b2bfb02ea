# Sourced by e2e_test.sh: the desktop side of a prayer time (drop zone, adzan
# and Dua, bar, dialog), the tray's Stop Adzan with the adzan's latency, the
# bar at its three positions and the drop zone over a changing window.

# Sounds reaching the sound server: every stream that starts or ends, stamped
# with the clock (seconds since the epoch), logged in $log.
watch_streams() {
    log=$(mktemp)
    (pactl subscribe 2>/dev/null | while read -r line; do
        case $line in *"sink-input"*) echo "$(date +%s.%N) $line" ;; esac
    done >"$log" 2>/dev/null) </dev/null &
    stream_watcher=$!
}
stop_watching() { pkill -P "$stream_watcher" 2>/dev/null; kill "$stream_watcher" 2>/dev/null; }
# Wine opens and closes short probing streams; a stream that plays is one
# the server changes (corks, sets its volume) while it lives.
streams_started() {
    awk '$3 == "'"'change'"'" && !($NF in s) { s[$NF] = 1; n++ } END { print n + 0 }' "$1"
}
streams_ended() {
    awk '$3 == "'"'change'"'" { s[$NF] = 1 } $3 == "'"'remove'"'" && ($NF in s) { n++ } END { print n + 0 }' "$1"
}
# Milliseconds from the opening of the first stream that played to the
# opening of the second.
streams_apart() {
    awk '$3 == "'"'new'"'" { at[$NF] = $1 }
         $3 == "'"'change'"'" && !($NF in s) { s[$NF] = 1; t[++n] = at[$NF] }
         END { print (n >= 2) ? int((t[2] - t[1]) * 1000) : 0 }' "$1"
}
# The clock when the first stream that played was opened.
first_stream_start() {
    awk '$3 == "'"'new'"'" { at[$NF] = $1 } $3 == "'"'change'"'" { print at[$NF]; exit }' "$1"
}

# A copy of the program in a folder of its own with the Dua beside it, and a
# short adzan: ms of silence as MP3 (Dua) and WAV (adzan).
sound_folder() {  # sound_folder ADZAN_MS DUA_MS: prints the folder
    local dir
    dir=$(mktemp -d "$prefix/drive_c/waktuna.XXXXXX")
    cp "$exe" "$dir/Waktuna.exe"
    head -c $((32 * $2)) /dev/zero | lame -r -s 16 --bitwidth 16 -m m --quiet - "$dir/Dua.mp3" 2>/dev/null
    head -c $((32 * $1)) /dev/zero | lame -r -s 16 --bitwidth 16 -m m --quiet - "$dir/adzan.mp3" 2>/dev/null
    lame --decode --quiet "$dir/adzan.mp3" "$dir/adzan.wav"
    echo "$dir"
}

# Dhuhur placed SECONDS from now (and not across midnight); prints its
# second of the day.
dhuhur_in() {
    while [ "$(seconds_of "$(date +%H:%M:%S)")" -gt $((86400 - 120)) ]; do sleep 1; done
    local target=$(($(seconds_of "$(date +%H:%M:%S)") + $1))
    drive reg-set Latitude sz 0
    drive reg-set Longitude sz "$(longitude_for "$target")"
    drive reg-set TZ sz 0
    drive reg-set Gd sz 20
    drive reg-set Gn sz 18
    drive reg-set TimeFormat dword 1
    echo "$target"
}
# CPU time (ms) used so far by this scenario's Waktuna.exe.
cpu_ms() {
    local pid
    for pid in $(pgrep -f 'Waktuna\.exe'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" || continue
        awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$pid/stat"
        return
    done
    echo 0
}
wait_second() { while [ "$(seconds_of "$(date +%H:%M:%S)")" -lt "$1" ]; do sleep 0.1; done; }
epoch_of_second() { echo $(($(date -d 'today 00:00:00' +%s) + $1)); }
red_pixels() { convert "$1" -fuzz 20% -fill white +opaque red -fill black -opaque red -format '%[fx:mean*w*h]' info: 2>/dev/null | cut -d. -f1; }

# --- A prayer time on the desktop ----------------------------------------------
begin prayer-time-desktop
dir=$(sound_folder 3000 2000)
target=$(dhuhur_in 20)
drive reg-set MAdzan dword 1
drive reg-set MMessage dword 1
drive reg-set UseDua dword 1
drive reg-set ShowDropZone dword 1
drive reg-set DialogEffect dword 1
drive reg-set AdzanDhuhur sz "$(winepath -w "$dir/adzan.wav" 2>/dev/null)"
wait_second $((target - 20))
watch_streams
wine "$driver" start "$dir/Waktuna.exe" </dev/null >/dev/null 2>&1
dz=$(drive find WaktunaDropZone 20)
check "the drop zone is shown at start" 1 "$(drive visible "$dz")"
wait_second "$target"
sleep 0.3
screenshot "$dz" drop-zone-alert-1.png
sleep 0.5
screenshot "$dz" drop-zone-alert-2.png
check "the drop zone flashes red" 1 \
    "$([ $(($(red_pixels "$out/drop-zone-alert-1.png") + $(red_pixels "$out/drop-zone-alert-2.png"))) -gt 500 ] && echo 1)"
found=$(drive wait-dialog 10)
check "the dialog names the prayer" 1 "$(grep -c '|Now is the time to pray Zuhr|' <<<"|${found#*$'\t'}|")"
bar=$(drive find WaktunaBar 5)
check "the bar is shown" 1 "$(drive visible "$bar")"
wait_until 15 holds 'streams_ended "$log"' -ge 2
check "the adzan and then the Dua played to their ends" "2 2" \
    "$(streams_started "$log") $(streams_ended "$log")"
# The 3-second adzan was heard whole before the Dua began, and the Dua
# came within the next ticks.
apart=$(streams_apart "$log")
check "the Dua follows the whole adzan ($apart ms apart)" 1 \
    "$([ "$apart" -ge 2500 ] && [ "$apart" -le 5500 ] && echo 1)"
dialog=$(drive find WaktunaMessageDialog 2)
drive click "$dialog" OK
wait_until 5 holds 'drive visible "$bar"' == 0
check "OK takes the bar away" 0 "$(drive visible "$bar")"
stop_watching
finish

# --- Stop Adzan, and the time from the prayer's second to the sound --------
begin stop-adzan
dir=$(sound_folder 20000 1000)
latencies=()
for run in 1 2 3 4 5; do
    target=$(dhuhur_in 12)
    drive reg-set MAdzan dword 1
    drive reg-set UseDua dword 1
    drive reg-set AdzanDhuhur sz "$(winepath -w "$dir/adzan.wav" 2>/dev/null)"
    wait_second $((target - 10))
    watch_streams
    wine "$driver" start "$dir/Waktuna.exe" </dev/null >/dev/null 2>&1
    form=$(drive find WaktunaForm1 20)
    wait_until 25 holds 'streams_started "$log"' -ge 1
    first=$(first_stream_start "$log")
    latencies+=("$(awk -v f="$first" -v t="$(epoch_of_second "$target")" 'BEGIN { printf "%d", (f - t) * 1000 }')")
    if [ "$run" -eq 5 ]; then
        sleep 1
        drive post "$form" 0x111 1016 0   # "Stop Adzan"
        wait_until 5 holds 'streams_ended "$log"' -ge 1
        check "Stop Adzan stops the sound" 1 "$(streams_ended "$log")"
        sleep 2
        check "and no Dua follows a stopped adzan" 1 "$(streams_started "$log")"
    fi
    stop_watching
    drive post "$form" 0x10 0 0
    wait_until 10 running 0
done
median=$(printf '%s\n' "${latencies[@]}" | sort -n | sed -n 3p)
echo "e2e: prayer second to the adzan's stream, ms: ${latencies[*]} (median $median)" |
    tee "$out/adzan-latency.txt"
finish

# --- The bar at its three positions, and the drop zone ----------------------
begin bar-and-drop-zone
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
