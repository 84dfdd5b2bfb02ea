# shellcheck shell=bash
# Sourced by the desktop scenarios after lib.sh: the desktop side of a prayer
# time (drop zone, adzan and Dua, bar, dialog), the tray's Stop Adzan with the
# adzan's latency, the bar at its three positions and the drop zone over a
# changing window.

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
