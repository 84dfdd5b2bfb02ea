#!/usr/bin/env bash
# scripts/run.sh starts the program as installed: the Waktuna.exe it starts
# has beside it what the installer puts there, so a newcomer can switch to
# Indonesian, open the help, read the licence and hear the Dua.
# usage: run_test.sh SOURCE-DIR
set -u
exe=$(cd "$1" && WAKTUNA_RUN_DRY=1 scripts/run.sh) || { echo "FAIL run.sh --dry: $exe"; exit 1; }
folder=$(dirname "$exe")
failures=0
for f in Waktuna.exe languages/Indonesia.wlp Waktuna3en.chm Waktuna3id.chm License.txt Lisensi.txt \
         Dua.mp3 jadwal.tpl Placenames/Indonesia.wpn; do
    [ -f "$folder/$f" ] || { echo "FAIL missing beside the program: $f"; failures=$((failures + 1)); }
done
exit $((failures > 0))
