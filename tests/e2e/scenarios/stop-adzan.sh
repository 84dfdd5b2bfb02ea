#!/usr/bin/env bash
# Stop Adzan, and the time from the prayer's second to the sound
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../desktop.sh"

begin
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
