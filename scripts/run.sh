#!/usr/bin/env bash
# Builds waktuna-cli and prints today's prayer times for the example place,
# Jakarta (latitude -6.175, longitude 106.8272, altitude 8 m, UTC+7,
# Fajr 20 degrees, Isha 18 degrees, Syafi'i).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target waktuna-cli >/dev/null
exec build/native/cli/waktuna-cli times --lat -6.175 --lon 106.8272 --alt 8 --tz 7 \
    --fajr 20 --isha 18 "$@"
