#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix: a silent install puts every
# staged file in place, prepares the settings key and the data folder, adds
# the Start-menu entries and the start with Windows, and takes over an earlier
# 32-bit installation's settings; a link planted in place of the data folder
# stops the installation with its own status; the program starts from
# its Start-menu entry and shows its tray icon; installing again over the
# running program replaces it and keeps the settings; a silent uninstall
# ends the program also where no window message reaches it (another desktop,
# as another user's session would be), removes the program's files and
# entries and keeps the settings and tasks.
# Prints the installer size, the installed size and the install time.
# usage: installer_test.sh SETUP.EXE WAKTUNA-DRIVE.EXE STAGE-FOLDER OUTPUT-DIR
set -u
setup=$(realpath "$1")
driver=$(realpath "$2")
stage=$(realpath "$3")
out=$4
mkdir -p "$out"
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
own_pids=()

source "$root/tests/support/display.sh"
# A fresh prefix, removed at the end (wine-env.sh registers the clean-up).
source "$root/scripts/wine-env.sh"
trap '_waktuna_wine_cleanup; for p in "${own_pids[@]}"; do kill "$p" 2>/dev/null; done' EXIT

c=$WINEPREFIX/drive_c
installed="$c/Program Files/Waktuna"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Waktuna"
data="$c/ProgramData/ravenhall/waktuna3"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { "${@:2}" || fail "$1"; }
drive() { wine "$driver" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
same_files() {  # every staged file installed, byte for byte
    local f ok=0
    while IFS= read -r f; do
        cmp -s "$stage/$f" "$installed/$f" || { echo "  differs or missing: $f"; ok=1; }
    done < <(cd "$stage" && find . -type f | sed 's|^\./||')
    return $ok
}
key_exists() { wine reg query 'HKLM\Software\Waktuna3' >/dev/null 2>&1; }
run_value() { wine reg query "$run_key" /v Waktuna3 2>/dev/null | tr -d '\r' | grep -o '".*"'; }
gone() { [ ! -e "$installed" ]; }
icons() { [ "$(drive tray-icons)" == "$1" ]; }
running() { [ "$(drive count Waktuna.exe)" == "$1" ]; }

# --- A link in place of the data folder stops the installation --------------
# A user could make it before an administrator installs, so that the elevated
# preparation sets its rights on a folder of the user's choosing.
mkdir -p "$c/ProgramData/ravenhall" "$c/planted"
ln -s "$c/planted" "$data"
wine "$setup" /S
status=$?
wineserver -w
check "a linked data folder stops the installer (status $status, 2 expected)" test "$status" -eq 2
check "nothing was made through the link" test -z "$(ls -A "$c/planted")"
rm "$data"

# --- Silent install into the fresh prefix ------------------------------------
# An earlier 32-bit Waktuna left its place in the registry's 32-bit view.
wine reg add 'HKLM\Software\Waktuna3' /v Area /d Bandung /f /reg:32 >/dev/null 2>&1
start=$(date +%s%N)
wine "$setup" /S
status=$?
install_ms=$(( ($(date +%s%N) - start) / 1000000 ))
wineserver -w
check "installer exit status $status" test "$status" -eq 0
check "every staged file installed" same_files
check "uninstaller installed" test -f "$installed/Uninstall.exe"
check "the settings key exists" key_exists
check "the data folder exists" test -d "$data"
check "the earlier 32-bit settings are taken over" test "$(drive reg-get Area)" == Bandung
for link in Waktuna "Waktuna Help" "Bantuan Waktuna" "Uninstall Waktuna"; do
    check "Start-menu entry $link" test -f "$menu/$link.lnk"
done
# The installer's preparation step on its own: both parts succeed (exit
# status 0) and it opens no window and no second program.
timeout 30 wine "$installed/Waktuna.exe" /prepare-machine
status=$?
check "prepare-machine exit status $status" test "$status" -eq 0
check "prepare-machine leaves nothing running" running 0
check "starts with Windows" test "$(run_value)" == '"C:\Program Files\Waktuna\Waktuna.exe"'

# --- The program starts from its Start-menu entry ----------------------------
wine start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Waktuna\Waktuna.lnk' \
    </dev/null >/dev/null 2>&1
check "the program runs from the Start menu" wait_until 20 running 1
check "its tray icon is shown" wait_until 20 icons 1

# --- Installing again over the running program keeps the settings -----------
drive reg-set Area sz Jakarta
echo "Daily|1|1|05:00:00|0|0|0|Tahajud" >"$data/Task.dat"
wine "$setup" /S
check "the running program was closed for the update" wait_until 10 running 0
check "files in place after the update" same_files
check "the update keeps the settings" test "$(drive reg-get Area)" == Jakarta

size_installed=$(du -sk "$installed" | cut -f1)

# --- Silent uninstall ---------------------------------------------------------
# The program runs on a desktop of its own, where the installer's window
# message cannot reach it, as in another user's session.
wine explorer /desktop=other,640x480 'C:\Program Files\Waktuna\Waktuna.exe' </dev/null >/dev/null 2>&1 &
own_pids+=($!)
check "the program runs on another desktop" wait_until 20 running 1
wine "$installed/Uninstall.exe" /S
# The uninstaller runs from a copy in the temporary folder and returns at once.
if ! wait_until 120 gone; then
    fail "the uninstaller removes the program folder; running: $(drive count Waktuna.exe), left:"
    find "$installed" | sed 's/^/    /'
fi
check "no Waktuna is left running" running 0
wineserver -w
check "the Start-menu entries are removed" test ! -e "$menu"
check "no start with Windows" test -z "$(run_value)"
uninstall_entry() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Waktuna3' >/dev/null 2>&1
}
check "the uninstall entry is removed" eval '! uninstall_entry' 
check "a silent uninstall keeps the settings" test "$(drive reg-get Area)" == Jakarta
check "a silent uninstall keeps the task file" test -f "$data/Task.dat"

size_setup=$(( $(stat -c %s "$setup") / 1024 ))
echo "installer: setup ${size_setup} KiB, installed ${size_installed} KiB, silent install ${install_ms} ms" |
    tee "$out/installer-measures.txt"
[ "$failures" -eq 0 ]
