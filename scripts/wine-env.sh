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
    rm -rf "$WINEPREFIX"
}
trap _waktuna_wine_cleanup EXIT
wineboot -i >/dev/null 2>&1 || true
