#!/usr/bin/env bash
# The side panel in English and in Indonesian, at 100 % and 150 %: the page
# buttons carry the language's captions, two lines where one is too short
# (screenshots side-panel-LANGUAGE-DPI.png)
source "$(dirname "$0")/../lib.sh"

begin
store_jakarta
dir="$WINEPREFIX/drive_c/Waktuna"
mkdir -p "$dir/languages"
cp "$exe" "$(dirname "$exe")/License.txt" "$(dirname "$exe")/Lisensi.txt" "$dir/"
cp "$srcdir/dist/languages/Indonesia.wlp" "$dir/languages/"
for dpi in 96 144; do
    for language in English Indonesia; do
        if [ "$language" = Indonesia ]; then
            drive reg-set Language sz Indonesia
            caption="Pengaturan program"
        else
            drive reg-set Language sz ""
            caption="Program setting"
        fi
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        show_main 'C:\Waktuna\Waktuna.exe'
        check "$language at $dpi DPI: the program settings button" 1 \
            "$(drive controls "$form" | grep -c "^Button"$'\t'"$caption"$'\t')"
        screenshot "$form" "side-panel-$language-$dpi.png"
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
    done
done
finish
