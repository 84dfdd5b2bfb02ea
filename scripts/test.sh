#!/usr/bin/env bash
# Every test of Waktuna: installs what is missing, builds the native and the
# Windows configuration, runs the unit and command-line tests natively and the
# same tests cross-compiled under Wine (fresh prefix, headless).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/setup.sh
# The iCalendar parser the timetable tests read .ics files with.
[ -f build/npm/node_modules/ical.js/package.json ] ||
    npm install --no-save --no-audit --no-fund --prefix build/npm ical.js@2.2.1 >/dev/null

echo "== native build"
cmake --preset native -DWAKTUNA_WERROR=ON >/dev/null
cmake --build --preset native -j "$jobs"
echo "== native tests"
ctest --preset native -j "$jobs"

echo "== fuzz targets (a short run of each; longer runs by hand, see tests/fuzz)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DWAKTUNA_FUZZ=ON -DWAKTUNA_TESTS=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"
for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    # New inputs go to a scratch folder; the seeds in the repository are only read.
    scratch=$(mktemp -d)
    seeds=tests/fuzz/corpus/$(basename "$target")
    [ -d "$seeds" ] || seeds=
    "$target" "$scratch" $seeds -max_total_time="${WAKTUNA_FUZZ_SECONDS:-5}" -print_final_stats=0 \
        >/dev/null 2>"$target.log" ||
        { cat "$target.log"; echo "fuzz target $target failed"; rm -rf "$scratch"; exit 1; }
    rm -rf "$scratch"
done

echo "== windows build (MinGW-w64)"
cmake --preset windows -DWAKTUNA_WERROR=ON >/dev/null
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
