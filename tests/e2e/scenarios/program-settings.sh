#!/usr/bin/env bash
# Program settings: skin and language (previewed everywhere, put back when the
# page is left unsaved), the drop zone box that follows the drop zone, the Dua
# and the hot key, the adzan trial, start with Windows, export and import, and
# a refused write
source "$(dirname "$0")/../lib.sh"

# A copy of the program in the prefix, with a second language file beside it.
install_copy() {
    local dir="$WINEPREFIX/drive_c/Waktuna"
    mkdir -p "$dir/languages"
    cp "$exe" "$(dirname "$exe")/License.txt" "$(dirname "$exe")/Lisensi.txt" "$dir/"
    # Bahasa.wlp: the English text with the header, the page buttons' first
    # caption, the Save button, the day names and the countdown translated.
    awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
         NR == 48 { $0 = "Pengingat waktu sholat" } NR == 50 { $0 = "Halaman utama" }
         NR == 70 { $0 = "Simpan" } NR >= 8 && NR <= 14 { $0 = "Hari " $0 }
         NR == 206 { $0 = "Sisa" } { print }' "$srcdir/resources/english.txt" >"$dir/languages/Bahasa.wlp"
    # Three seconds of a quiet tone, 8 kHz mono.
    python3 - "$dir/adzan.wav" <<'PY'
import math, struct, sys, wave
w = wave.open(sys.argv[1], "wb")
w.setnchannels(1); w.setsampwidth(2); w.setframerate(8000)
w.writeframes(b"".join(struct.pack("<h", int(800 * math.sin(i / 5))) for i in range(24000)))
PY
}
control() { drive control "$page" "$1"; }
press() { drive post "$(control "$1")" 0xF5 0 0; }   # BM_CLICK
choose() {  # choose ID ITEM: select an item of a drop-down as the user would
    local combo
    combo=$(control "$1")
    drive send "$combo" 0x14E "$2" 0 >/dev/null                        # CB_SETCURSEL
    drive send "$page" 0x111 $(($1 + 65536)) "$combo" >/dev/null  # CBN_SELCHANGE
}
file_dialog() {  # file_dialog PATH BUTTON: fill the open/save dialog and press its button
    local dlg id
    dlg=$(drive find "#32770" 20) || return 1
    for id in 1148 1152; do drive set-text "$dlg" $id "$1" && break; done
    drive click "$dlg" "$2"
    drive gone "#32770" 20 >/dev/null
}
run_key='SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

begin
store_jakarta
drive reg-set dzRemaining dword 1   # the drop zone counts down
install_copy
show_main 'C:\Waktuna\Waktuna.exe'
drive post "$form" 0x111 1002 0   # "Program Setting"
page=$(drive child "$form" WaktunaProgramPage 10)
screenshot "$form" program-settings-skin0.png
check "the built-in English and the file are the choices" 2 "$(drive send "$(control 2101)" 0x146 0 0)"  # CB_GETCOUNT
check "English shows while none is stored" English "$(drive get-text "$page" 2101)"
press 2121        # "Drop Zone": shown, not stored
dz=$(drive find WaktunaDropZone 10)
wait_until 10 holds 'drive visible "$dz"' == 1

# A language tried and left unsaved: everything speaks it, then English again.
choose 2101 1     # Bahasa
wait_until 10 shows $'\tPengingat waktu sholat\t'
check "the preview reaches the header date" 1 "$(drive controls "$form" | grep -c $'\tHari ')"
wait_until 5 holds 'drive text "$dz" | grep -c Sisa' == 1
check "and the drop zone's countdown" 1 "$(drive text "$dz" | grep -c Sisa)"
drive post "$form" 0x111 200 0   # the main page: the program page is left unsaved
wait_until 5 holds 'drive controls "$form" | grep -cP "\tHari "' == 0
check "leaving puts the header date back" 0 "$(drive controls "$form" | grep -c $'\tHari ')"
check "and the captions" 0 "$(drive controls "$form" | grep -c $'\tPengingat waktu sholat\t')"
wait_until 5 holds 'drive text "$dz" | grep -c Remaining' == 1
check "and the countdown" 1 "$(drive text "$dz" | grep -c Remaining)"
drive post "$form" 0x111 1002 0   # "Program Setting" again
check "the page shows the stored language" 0 "$(drive send "$(control 2101)" 0x147 0 0)"   # CB_GETCURSEL

# The "Drop Zone" box follows the drop zone, wherever it is closed.
drive post "$form" 0x111 1024 0   # the tray's "Drop Zone": hidden
wait_until 5 holds 'drive visible "$dz"' == 0
check "hidden from the tray, the box is unticked" 0 "$(drive checked "$page" 2121)"
drive post "$form" 0x111 1024 0
wait_until 5 holds 'drive visible "$dz"' == 1
check "shown from the tray, ticked" 1 "$(drive checked "$page" 2121)"
drive post "$dz" 0x111 103 0      # the drop zone's own "Close"
wait_until 5 holds 'drive visible "$dz"' == 0
check "closed from its own menu, unticked" 0 "$(drive checked "$page" 2121)"

# The Dua and the hot key, stored by the Save below.
press 2127
choose 2128 34    # K
choose 2100 39    # Light Black Gradient, previewed at once
choose 2101 1     # Bahasa
wait_until 10 shows $'\tPengingat waktu sholat\t'
check "the language is previewed" 1 "$(drive controls "$form" | grep -c $'\tPengingat waktu sholat\t')"
check "nothing stored before Save" missing "$(drive reg-get Language || echo missing)"
choose 2110 1     # the "Normal" effect: a sample dialog
found=$(drive wait-dialog 20)
check "an effect shows a sample" 1 "$(grep -c 'Sample / Contoh / Tulodho' <<<"$found")"
drive click "$(drive find WaktunaMessageDialog 2)" OK
drive gone WaktunaMessageDialog 5 >/dev/null
notice=$(drive control "$form" 105)
press 2122
wait_until 2 holds 'drive visible "$notice"' == 1
check "the saved notice shows" 1 "$(drive visible "$notice")"
wait_until 10 holds 'drive reg-get Skin' == 39
check "Save stores the skin" 39 "$(drive reg-get Skin)"
check "and the language" Bahasa "$(drive reg-get Language)"
check "the Save button is translated" 1 "$(drive controls "$form" | grep -c $'\tSimpan\t')"
check "a Save leaves the closed drop zone closed" "0 0x0" "$(drive visible "$dz") $(drive reg-get ShowDropZone)"
check "the Dua is stored" 0x1 "$(drive reg-get UseDua)"
check "and the hot key" K "$(drive reg-get HotKey)"
drive foreground "$form"
xdotool key ctrl+alt+k
wait_until 5 holds 'drive visible "$form"' == 0
check "Ctrl+Alt+K now hides the window" 0 "$(drive visible "$form")"
drive post "$form" 0x312 1001 0
wait_until 5 holds 'drive visible "$form"' == 1
check "the saved language stays after hiding" 1 "$(drive controls "$form" | grep -c $'\tSimpan\t')"
wait_until 15 holds 'drive visible "$notice"' == 0
screenshot "$form" program-settings-skin39.png

# The adzan file: chosen in the open-file dialog, stored for Fajr at once.
press 2105
file_dialog 'C:\Waktuna\adzan.wav' "&Open"
wait_until 10 drive reg-get AdzanShubuh >/dev/null
check "the chosen adzan file is stored at once" 'C:\Waktuna\adzan.wav' "$(drive reg-get AdzanShubuh)"
check "and shown in the file box" 'C:\Waktuna\adzan.wav' "$(drive get-text "$page" 2104)"
# Play moves the progress bar, Stop puts it back.
press 2106
# The bar's range is the track's length, in milliseconds.
wait_until 10 holds 'drive send "$(control 2109)" 0x407 0 0' -gt 0   # PBM_GETRANGE
wait_until 10 holds 'drive send "$(control 2109)" 0x408 0 0' -gt 0   # PBM_GETPOS
check "Play moves the progress bar" 1 "$([ "$(drive send "$(control 2109)" 0x408 0 0)" -gt 0 ] && echo 1)"
press 2108
sleep 0.5
check "Stop puts it back" 0 "$(drive send "$(control 2109)" 0x408 0 0)"

# Start with Windows: the Run value holds the quoted path.
drive send "$(control 2119)" 0xF1 1 0 >/dev/null   # BM_SETCHECK
press 2122
wait_until 10 drive reg-get Waktuna3 "$run_key" >/dev/null
check "the Run value" '"C:\Waktuna\Waktuna.exe"' "$(drive reg-get Waktuna3 "$run_key")"

# Export, change, import: the skin is back; Hwnd stays this run's own.
press 2123
file_dialog 'C:\Waktuna\all.sav' "&Save"
wait_until 10 test -s "$WINEPREFIX/drive_c/Waktuna/all.sav"
check "export writes the skin" 1 "$(grep -c $'^2\tSkin=39\r$' "$WINEPREFIX/drive_c/Waktuna/all.sav")"
check "export leaves Hwnd out" 0 "$(grep -c Hwnd "$WINEPREFIX/drive_c/Waktuna/all.sav")"
choose 2100 3
press 2122
wait_until 10 holds 'drive reg-get Skin' == 3
press 2124
file_dialog 'C:\Waktuna\all.sav' "&Open"
found=$(drive wait-dialog 20)
check "import says it is done" 1 "$(grep -c 'The settings were imported.' <<<"$found")"
drive click "$(drive find WaktunaMessageDialog 2)" OK
drive gone WaktunaMessageDialog 5 >/dev/null
check "import brings the skin back" 39 "$(drive reg-get Skin)"
check "Hwnd is still this window" "$form" "$(drive reg-get Hwnd)"

# The machine starts the program for everyone (the installer's box): the
# user's own value is not written twice, and unticking cannot remove the
# machine's: the error names what was not stored.
wait_until 15 holds 'drive visible "$notice"' == 0   # the last notice is gone
wine reg add "HKLM\\$run_key" /v Waktuna3 /d '"C:\Waktuna\Waktuna.exe"' /f >/dev/null 2>&1
drive send "$(control 2119)" 0xF1 0 0 >/dev/null   # BM_SETCHECK: unticked
press 2122
found=$(drive wait-dialog 20)
check "a refused write is reported" 1 "$(grep -c 'Start with Windows' <<<"$found")"
check "and no saved notice" 0 "$(drive visible "$notice")"
dialog=$(drive find WaktunaMessageDialog 2)
screenshot "$dialog" program-settings-not-stored.png
drive click "$dialog" OK
drive gone WaktunaMessageDialog 5 >/dev/null

# The About page with its licence.
drive post "$form" 0x111 1019 0
about=$(drive child "$form" WaktunaAboutPage 10)
check "the licence box shows the Indonesian licence" 1 "$(drive get-text "$about" 2204 | grep -q 'lisensi' && echo 1)"
screenshot "$form" about.png
finish
