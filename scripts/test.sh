#!/usr/bin/env bash
# Every test of Waktuna: installs what is missing, builds the native and the
# Windows configuration, runs the unit and command-line tests natively and the
# same tests cross-compiled under Wine (fresh prefix, headless).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/setup.sh

echo "== native build"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
echo "== native tests"
ctest --preset native -j "$jobs"

echo "== windows build (MinGW-w64)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

echo "== windows tests (Wine)"
(
    source "$root/scripts/wine-env.sh"
    # Windows windows need a display; tests run on a private Xvfb server.
    if [ -z "${DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --preset windows
    fi
    ctest --preset windows
)
echo "== all tests passed"
