#!/usr/bin/env bash
# Start-up time: from the start to the tray icon, median of five
source "$(dirname "$0")/../lib.sh"

begin
times=()
for i in 1 2 3 4 5; do
    ms=$(start_time)
    times+=("${ms:-99999}")
    form=$(drive find WaktunaForm1 10)
    drive post "$form" 0x10 0 0   # WM_CLOSE
    wait_until 10 running 0
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "e2e: start-up to tray icon, ms: ${times[*]} (median $median)" | tee "$out/start-up-time.txt"
finish
