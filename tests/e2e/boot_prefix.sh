#!/usr/bin/env bash
# The e2e-prefix test: boots the Wine prefix every end-to-end scenario
# copies, once for the whole run, into WINE-DIR/booted.
# usage: boot_prefix.sh WINE-DIR
set -u
template=$1/booted
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
own_pids=()
trap 'for pid in "${own_pids[@]}"; do kill "$pid" 2>/dev/null; done' EXIT
# Booted on the display the scenarios use (ours when none is given).
source "$(dirname "$0")/../support/display.sh"
rm -rf "$1"
mkdir -p "$template"
export WINEPREFIX=$template
wineboot -i >/dev/null 2>&1
# No window manager on the display: Wine places windows itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
test -f "$template/system.reg"
