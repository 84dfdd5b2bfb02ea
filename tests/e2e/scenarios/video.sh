#!/usr/bin/env bash
# A video adzan plays in a window of the program's own, the video's size,
# and goes away with the player
source "$(dirname "$0")/../lib.sh"

if ! command -v ffmpeg >/dev/null; then
    echo "e2e $scenario: ffmpeg is missing (scripts/setup.sh installs it)"
    exit 1
fi
control() { drive control "$page" "$1"; }
press() { drive post "$(control "$1")" 0xF5 0 0; }   # BM_CLICK

begin
store_jakarta
dir="$WINEPREFIX/drive_c/Waktuna"
mkdir -p "$dir"
cp "$exe" "$dir/"
# Eight seconds of a test picture, 320 x 240, Microsoft Video 1 (quick to make).
ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=15:duration=8 -c:v msvideo1 "$dir/adzan.avi"
drive reg-set AdzanShubuh sz 'C:\Waktuna\adzan.avi'
show_main 'C:\Waktuna\Waktuna.exe'
drive post "$form" 0x111 1002 0   # "Program Setting"
page=$(drive child "$form" WaktunaProgramPage 10)
check "the page shows the video as Fajr's adzan" 'C:\Waktuna\adzan.avi' "$(drive get-text "$page" 2104)"

press 2106   # Play
video=$(drive find WaktunaVideo 10)
check "Play opens the video window" 1 "$([ -n "$video" ] && echo 1)"
wait_until 5 holds 'drive visible "$video"' == 1
check "which is shown" 1 "$(drive visible "$video")"
surface=$(drive child "$video" WaktunaVideoSurface 5)
read -r _ _ w h < <(drive rect "$surface")
check "its picture is the video's size" "320 240" "$w $h"
check "MCI's own video window is not shown" 0 \
    "$(drive windows | awk -F'\t' '$3 == 1 && $2 != "WaktunaVideo" && $4 ~ /adzan/' | wc -l)"
sleep 2
screenshot "$video" video-playing.png

# Paused, laid out again for 144 DPI and brought out from under the main
# window: the caption grows, the picture keeps the video's size and shows
# the paused frame, not a black surface.
press 2107   # Pause
sleep 0.5
drive dpi-changed "$video" 144 480 400
drive foreground "$video"
sleep 1
read -r x y _ _ < <(drive rect "$video")
read -r _ _ w h < <(drive rect "$surface")
check "at 144 DPI the picture keeps the video's size" "320 240" "$w $h"
screenshot "$video" video-paused-144.png
read -r sx sy _ _ < <(drive rect "$surface")
# A pixel inside the yellow bar of the test picture (x 160..200 of 320).
p="p{$((sx - x + 180)),$((sy - y + 60))}"
check "the paused frame is painted again" 1 \
    "$(convert "$out/video-paused-144.png" -format "%[fx:($p.r>0.8)*($p.g>0.8)*($p.b<0.3)]" info:)"

press 2108   # Stop: the player and its window are released
check "Stop takes the video window away" 0 "$(drive gone WaktunaVideo 10 >/dev/null; echo $?)"
drive post "$form" 0x10 0 0
wait_until 10 running 0
finish
