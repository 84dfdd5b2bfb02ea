#!/usr/bin/env bash
# Builds Waktuna.exe and starts it as installed: from the staged folder, with
# the languages, help, licences, Dua sound and place names beside it, under
# Wine on Linux, on a private Xvfb display when there is no display. The program lives in the notification
# area (its icon, or Ctrl+Alt+F12 while one of its windows has the focus,
# opens the main window). On the first run the example place is stored in the
# settings key: Jakarta (latitude -6.175, longitude 106.8272, altitude 8 m,
# UTC+7, Fajr 20 degrees, Isha 18 degrees, Syafi'i).
set -euo pipefail
cd "$(dirname "$0")/.."
# WAKTUNA_RUN_DRY=1: only build and name the program that would start (the
# machine is taken as set up).
[ -n "${WAKTUNA_RUN_DRY:-}" ] || scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target waktuna-stage >/dev/null
exe=$PWD/build/windows/stage/Waktuna.exe
if [ -n "${WAKTUNA_RUN_DRY:-}" ]; then
    echo "$exe"
    exit 0
fi

export WINEPREFIX=${WAKTUNA_WINEPREFIX:-$HOME/.waktuna-wine}
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run: making the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
fi

key='HKLM\Software\Waktuna3'
if ! wine reg query "$key" >/dev/null 2>&1; then
    echo "run: first run, storing the example place (Jakarta) in $key"
    add() { wine reg add "$key" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1; }
    add Area REG_SZ Jakarta
    add Latitude REG_SZ -6.175
    add Longitude REG_SZ 106.8272
    add Altitude REG_SZ 8
    add TZ REG_SZ 7
    add Gd REG_SZ 20
    add Gn REG_SZ 18
    add Syafii REG_DWORD 0
    add Methods REG_DWORD 0
fi

# A Wine server started above without a display would serve the program too,
# and its windows could not be created: let it end first.
wineserver -w

echo "run: starting Waktuna.exe (it lives in the notification area; Ctrl+C ends it)"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" wine "$exe"
fi
exec wine "$exe"
