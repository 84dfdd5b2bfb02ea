#!/usr/bin/env bash
# Benchmarks of Waktuna.exe on the desktop, under Wine on an X display (Xvfb)
# with a PulseAudio null sink. Not a test: it prints figures to compare
# before and after a change.
#
#   adzan  How late the adzan is: Dhuhur is placed a few seconds after a fresh
#          start, a 2-second WAV is its adzan, and the delay is taken from the
#          prayer's second to the moment the sound server opens the stream
#          that then plays (the server's own events, `pactl subscribe`).
#   bar    CPU time of Waktuna.exe, and of the wine server that serves its
#          requests, over 10 s while the bar scrolls.
#   drop-zone  Screenshots of the drop zone as Maghrib (the longest prayer
#          name) arrives, in English and Indonesian at 96 and 144 DPI, into
#          OUT (default: the current folder), to look at.
#
# usage: desktop_bench.sh WAKTUNA.EXE WAKTUNA-DRIVE.EXE WAKTUNA-CLI.EXE [WHAT...]
#        (WHAT: adzan, bar, drop-zone; all when none; RUNS=7 adzan runs)
set -u
exe=$(realpath "$1")
driver=$(realpath "$2")
cli=$(realpath "$3")
shift 3
runs=${RUNS:-7}
out=$(realpath "${OUT:-.}")
srcdir=$(realpath "$(dirname "$0")/../..")
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
own_pids=()
prefix=$(mktemp -d /tmp/waktuna-bench.XXXXXX)
export WINEPREFIX=$prefix
# A sound server of this run's own: no other program's streams are counted.
export PULSE_RUNTIME_PATH=$prefix.pulse
cleanup() {
    wineserver -k >/dev/null 2>&1
    pulseaudio --kill >/dev/null 2>&1
    for pid in "${own_pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$prefix" "$PULSE_RUNTIME_PATH"
}
trap cleanup EXIT

source "$(dirname "$0")/../support/display.sh"
mkdir -p "$PULSE_RUNTIME_PATH"
pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=null" \
    --load="module-native-protocol-unix auth-anonymous=1" >/dev/null 2>&1
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w

drive() { wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }
launch() { wine "$driver" start "$1" </dev/null >/dev/null 2>&1; }
running() { [ "$(drive count Waktuna.exe)" == "$1" ]; }
end_program() {
    drive post "$(drive find WaktunaForm1 10)" 0x10 0 0   # WM_CLOSE
    wait_until 10 running 0
}
second_now() { date +%s; }

# The longitude at which a prayer (latitude 0, UTC) falls on an epoch second:
# a degree east brings it 240 s earlier; a few corrections settle rounding.
prayer_second() {  # prayer_second NAME LONGITUDE: its second of the day
    local hms
    hms=$(wine "$cli" times --lat 0 --lon "$2" --tz 0 --fajr 20 --isha 18 \
        --time-format HH:mm:ss 2>/dev/null | tr -d '\r' | awk -v p="$1" '$1 == p { print $2 }')
    IFS=: read -r h m s <<<"$hms"
    echo $((10#$h * 3600 + 10#$m * 60 + 10#$s))
}
place_prayer() {  # place_prayer NAME EPOCH-SECOND: stores the place and times
    local target=$(($2 % 86400)) lon=0 got
    for _ in 1 2 3 4; do
        got=$(prayer_second "$1" "$lon")
        [ "$got" -eq "$target" ] && break
        # Both the difference and the longitude wrap around (a day, 360 degrees).
        lon=$(awk -v l="$lon" -v g="$got" -v t="$target" 'BEGIN {
            d = g - t; if (d > 43200) d -= 86400; if (d < -43200) d += 86400
            l += d / 240; if (l > 180) l -= 360; if (l <= -180) l += 360
            printf "%.6f", l }')
    done
    drive reg-set Latitude sz 0
    drive reg-set Longitude sz "$lon"
    drive reg-set TZ sz 0
    drive reg-set Gd sz 20
    drive reg-set Gn sz 18
    drive reg-set TimeFormat dword 1   # times to the second, not rounded to minutes
}

# A moment 40 s ahead (not across midnight: the times belong to one date);
# the program is started 30 s before it, time enough on a busy machine.
soon() {
    while [ $(($(second_now) % 86400)) -gt $((86400 - 60)) ]; do sleep 1; done
    echo $(($(second_now) + 40))
}

# Sound-server events on sink inputs, stamped with the wall clock (epoch
# seconds), into a file, until stop_logging (at most 40 s).
log_streams() {
    (timeout 40 pactl subscribe 2>/dev/null | while read -r line; do
        case $line in *"sink-input"*) echo "$(date +%s.%N) $line" ;; esac
    done >"$1") </dev/null &
    logger=$!
}
stop_logging() { pkill -P "$logger" 2>/dev/null; kill "$logger" 2>/dev/null; wait "$logger" 2>/dev/null; }
# When the first stream that played was opened: Wine also opens short probing
# streams; one that plays is changed (corked, its volume set) while it lives.
first_playing_stream() {
    awk '$3 == "\047new\047" { at[$NF] = $1 }
         $3 == "\047change\047" && ($NF in at) { print at[$NF]; exit }' "$1"
}
stream_played() { [ -n "$(first_playing_stream "$1")" ]; }

bench_adzan() {
    local dir lat=() target first
    dir=$(mktemp -d "$prefix/drive_c/adzan.XXXXXX")
    # Two seconds of near-silence as a 16-bit mono WAV.
    python3 - "$dir/adzan.wav" <<'PY'
import struct, sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(22050)
    w.writeframes(struct.pack("<h", 1) * 44100)
PY
    drive reg-set MAdzan dword 1
    drive reg-set AdzanDhuhur sz "$(winepath -w "$dir/adzan.wav" 2>/dev/null)"
    for ((run = 1; run <= runs; run++)); do
        target=$(soon)
        place_prayer Dhuhur "$target"
        while [ "$(second_now)" -lt $((target - 30)) ]; do sleep 0.1; done
        log_streams "$dir/streams.$run"
        launch "$exe"
        drive find WaktunaForm1 30 >/dev/null
        # A program not yet running at the prayer's second cannot count.
        if [ "$(second_now)" -ge "$target" ]; then
            lat+=("late-start")
        elif wait_until 25 stream_played "$dir/streams.$run"; then
            first=$(first_playing_stream "$dir/streams.$run")
            lat+=("$(awk -v f="$first" -v t="$target" 'BEGIN { printf "%d", (f - t) * 1000 }')")
        else
            lat+=("none")
        fi
        stop_logging
        end_program
        wineserver -k >/dev/null 2>&1   # nothing of this run lives on
        wineserver -w
    done
    local sorted
    sorted=$(printf '%s\n' "${lat[@]}" | grep -E '^-?[0-9]+$' | sort -n)
    echo "adzan: prayer second to the stream, ms: ${lat[*]}"
    echo "adzan: median $(sed -n "$((($(wc -l <<<"$sorted") + 1) / 2))p" <<<"$sorted") ms," \
        "worst $(tail -1 <<<"$sorted") ms over ${#lat[@]} runs"
}

# CPU (ms) used so far by this prefix's processes whose command line matches.
cpu_ms() {
    local pid total=0 hz
    hz=$(getconf CLK_TCK)
    for pid in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" || continue
        total=$((total + $(awk '{ print $14 + $15 }' "/proc/$pid/stat")))
    done
    echo $((total * 1000 / hz))
}

bench_bar() {
    local tasks="$prefix/drive_c/ProgramData/ravenhall/waktuna3" motion program server x y w h
    mkdir -p "$tasks"
    # A Moving Text task at program start: the bar scrolls for 50 s.
    printf 'bar|8|5|00:00:00|-1|0|0|A moving text at start, scrolling from right to left\r\n' \
        >"$tasks/Task.dat"
    drive reg-set BarWidth dword 60
    for motion in 0 2; do
        drive reg-set BarMotion dword $motion
        launch "$exe"
        drive find WaktunaBar 20 >/dev/null
        sleep 3
        program=$(cpu_ms 'Waktuna\.exe')
        server=$(cpu_ms wineserver)
        sleep 10
        echo "bar: BarMotion $motion ($((10 + 10 * motion)) ms a pixel), CPU in 10 s:" \
            "Waktuna.exe $(($(cpu_ms 'Waktuna\.exe') - program)) ms," \
            "wineserver $(($(cpu_ms wineserver) - server)) ms"
        read -r x y w h < <(drive rect "$(drive find WaktunaBar 5)")
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/bar-motion-$motion.png"
        end_program
        wineserver -w   # its server gone too, before the next one is measured
    done
    rm -f "$tasks/Task.dat"
}

bench_drop_zone() {
    local dir lang dpi target step x y w h
    dir=$(mktemp -d "$prefix/drive_c/dz.XXXXXX")
    cp "$exe" "$dir/Waktuna.exe"
    mkdir -p "$dir/languages"
    cp "$srcdir/dist/languages/Indonesia.wlp" "$dir/languages/"
    drive reg-set ShowDropZone dword 1
    drive reg-set MAdzan dword 0
    for dpi in 96 144; do
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
        wineserver -w
        for lang in English Indonesia; do
            drive reg-set Language sz "$([ $lang == Indonesia ] && echo $lang)"
            target=$(soon)
            place_prayer Maghrib "$target"
            while [ "$(second_now)" -lt $((target - 30)) ]; do sleep 0.1; done
            launch "$dir/Waktuna.exe"
            while [ "$(second_now)" -lt "$target" ]; do sleep 0.05; done
            # Two steps of the flashing, half a second apart.
            for step in 1 2; do
                sleep 0.5
                read -r x y w h < <(drive rect "$(drive find WaktunaDropZone 5)")
                import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/drop-zone-$lang-$dpi-$step.png"
            done
            echo "drop-zone: $lang at $dpi DPI: ${w}x${h}, $out/drop-zone-$lang-$dpi-*.png"
            end_program
        done
    done
}

for what in "${@:-adzan bar drop-zone}"; do
    for w in $what; do
        case $w in
        adzan) bench_adzan ;;
        bar) bench_bar ;;
        drop-zone) bench_drop_zone ;;
        esac
    done
done
