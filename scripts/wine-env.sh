#!/usr/bin/env bash
# Source this: a fresh, headless Wine prefix for one test run.
# Sets WINEPREFIX and WINEDEBUG and registers a clean-up on exit.
export WINEDEBUG=-all
export WINEARCH=win64
WINEPREFIX=$(mktemp -d /tmp/waktuna-wine.XXXXXX)
export WINEPREFIX
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko install prompts
_waktuna_wine_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${PULSE_RUNTIME_PATH:-}" ] && pulseaudio --kill >/dev/null 2>&1
    rm -rf "$WINEPREFIX" "$WINEPREFIX.pulse"
}
trap _waktuna_wine_cleanup EXIT
# A sound device for MCI (MP3 opens only when one exists): a PulseAudio null
# sink of this run's own, so runs side by side do not end each other's.
if command -v pulseaudio >/dev/null; then
    export PULSE_RUNTIME_PATH=$WINEPREFIX.pulse
    mkdir -p "$PULSE_RUNTIME_PATH"
    pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=null" \
        --load="module-native-protocol-unix auth-anonymous=1" >/dev/null 2>&1 || true
fi
wineboot -i >/dev/null 2>&1 || true
# No window manager runs on the test display: Wine places windows itself
# instead of waiting for one at every show and hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
# Let this prefix's server end: one started without a display would refuse
# windows to every program run later on the display.
wineserver -w >/dev/null 2>&1 || true
