# shellcheck shell=bash
# Sourced by each end-to-end scenario (scenarios/NAME.sh, the ctest test
# e2e-NAME): the scenario starts Waktuna.exe in a fresh Wine prefix on an X
# display (Xvfb) with a PulseAudio null sink, and looks at it from outside
# through waktuna-drive (windows, texts, the notification area, the registry)
# as a user or the shell would.
# usage: scenarios/NAME.sh WAKTUNA.EXE WAKTUNA-DRIVE.EXE WAKTUNA-CLI.EXE OUTPUT-DIR WINE-DIR
# WINE-DIR holds the booted prefix boot_prefix.sh made (the e2e-prefix test);
# each scenario's prefix is a copy of it made beside it.
set -u
exe=$(realpath "$1")
driver=$(realpath "$2")
cli=$(realpath "$3")
out=$4
wine_dir=$(realpath "$5")
template=$wine_dir/booted
srcdir=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../..")
scenario=$(basename "$0" .sh)
mkdir -p "$out"
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
failures=0
passes=0
own_pids=()
prefix=""

if [ ! -f "$template/system.reg" ]; then
    echo "no booted prefix in $template: run the e2e-prefix test first (ctest -R e2e- does)"
    exit 1
fi

cleanup() {
    if [ -n "$prefix" ]; then
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
        rm -rf "$prefix"
    fi
    for pid in "${own_pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
}
trap cleanup EXIT

# A display (ours when none is given) and wait_until.
source "$srcdir/tests/support/display.sh"
# Ctrl+Alt+F12 must reach programs, not switch virtual terminals.
setxkbmap -option srvrkeys:none >/dev/null 2>&1 || true

# Sound devices: MCI opens sound files only when one exists. A server of our
# own when none runs (a scenario run alone), ready before the program starts.
if ! pulseaudio --check >/dev/null 2>&1; then
    pulseaudio -n --exit-idle-time=-1 --load="module-null-sink sink_name=null" \
        --load=module-native-protocol-unix >/dev/null 2>&1 &
    own_pids+=($!)
    wait_until 10 pulseaudio --check
fi

begin() {  # a fresh prefix for the scenario
    prefix=$(mktemp -d "$wine_dir/$scenario.XXXXXX")
    # Files are shared with the template as hard links; the ones Wine rewrites
    # in place are copied.
    cp -al "$template/." "$prefix/"
    for f in "$template"/*.reg "$template"/drive_c/windows/*.ini; do
        [ -e "$f" ] && cp --remove-destination "$f" "$prefix/${f#"$template"/}"
    done
    export WINEPREFIX=$prefix
}

finish() {  # ends the scenario; its status is the scenario's result
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    rm -rf "$prefix"
    prefix=""
    echo "e2e $scenario: $passes passed, $failures failed"
    [ "$failures" -eq 0 ]
}

drive() { wine "$driver" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
# A program started through the driver keeps the driver's output open: no
# pipe there, or the reader would wait for the program to end.
start() { wine "$driver" start "${1:-$exe}" </dev/null >/dev/null 2>&1; }
show_main() {  # show_main [EXE]: starts the program and shows its main window ($form)
    start "$@"
    form=$(drive find WaktunaForm1 20)
    wait_until 10 holds 'drive tray-icons' == 1
    drive post "$form" 0x312 1001 0   # the hot key
    wait_until 10 holds 'drive visible "$form"' == 1
}
start_time() {  # prints the milliseconds from the start to the tray icon
    local file
    file=$(mktemp)
    wine "$driver" start-time "$exe" </dev/null >"$file" 2>/dev/null
    tr -d '\r' <"$file"
    rm -f "$file"
}

check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        passes=$((passes + 1))
    else
        echo "FAIL [$scenario] $1: expected '$2', got '$3'"
        failures=$((failures + 1))
    fi
}

screenshot() {  # screenshot HWND FILE
    local x y w h
    read -r x y w h < <(drive rect "$1")
    sleep 0.5
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$2"
}

# holds 'COMMAND' OP VALUE: the command's output, run afresh at every call,
# compared by test(1) (so wait_until really waits for it).
holds() {
    local out
    out=$(eval "$1")
    test "$out" "$2" "$3"
}

# shows TEXT: one control of the main window ($form) shows exactly this line.
shows() { [ "$(drive controls "$form" | grep -c "$1")" == 1 ]; }

# timetable_from_page CAPTION "Y M D" "Y M D" FILE: the schedule page of the
# main window ($form) writes that range in the format of that caption to FILE.
timetable_from_page() {
    drive post "$form" 0x111 1006 0   # menu item 6: Schedule maker
    wait_until 5 drive click "$form" "$1"
    drive set-date "$(drive nth-child "$form" SysDateTimePick32 0)" $2
    drive set-date "$(drive nth-child "$form" SysDateTimePick32 1)" $3
    drive click "$form" "Save file"
    dlg=$(drive find "#32770" 10)
    wait_until 5 holds 'drive visible "$dlg"' == 1
    drive type-text "$(drive nth-child "$dlg" Edit 0)" "$4"
    drive post "$dlg" 0x111 1 0   # IDOK
}

running() { [ "$(drive count Waktuna.exe)" == "$1" ]; }

# The example place: Jakarta, Fajr 20 degrees, Isha 18 degrees, Syafi'i.
store_jakarta() {
    drive reg-set Area sz Jakarta
    drive reg-set Latitude sz -6.175
    drive reg-set Longitude sz 106.8272
    drive reg-set Altitude sz 8
    drive reg-set TZ sz 7
    drive reg-set Gd sz 20
    drive reg-set Gn sz 18
    drive reg-set Syafii dword 0
    drive reg-set Methods dword 0
}

# The Dhuhur time ("HH:mm:ss", today) at latitude 0, time zone 0 and a
# longitude, by the command line's calculation (the program's own core).
dhuhur_at() {
    wine "$cli" times --lat 0 --lon "$1" --tz 0 --fajr 20 --isha 18 --time-format HH:mm:ss \
        2>/dev/null | tr -d '\r' | awk '$1 == "Dhuhur" { print $2 }'
}
seconds_of() { local h m s; IFS=: read -r h m s <<<"$1"; echo $((10#$h * 3600 + 10#$m * 60 + 10#${s%.*})); }

# A longitude whose Dhuhur falls on the given second of the day: a degree
# east brings noon four minutes earlier; two corrections settle the rounding.
longitude_for() {
    local target=$1 lon=0 i got
    for i in 1 2 3 4; do
        got=$(seconds_of "$(dhuhur_at "$lon")")
        [ "$got" -eq "$target" ] && break
        lon=$(awk -v l="$lon" -v g="$got" -v t="$target" 'BEGIN { printf "%.6f", l + (g - t) / 240 }')
    done
    echo "$lon"
}
