#!/usr/bin/env bash
# wine-run.sh WINE PROGRAM [ARGS...]: runs a Windows program of the tests
# under Wine. When Wine itself could not start it (the Wine server dropped
# the connection as it fell idle: "wine client error"), the program never
# ran and is started once more; any other result is the program's own.
wine=$1
shift
err=$(mktemp)
trap 'rm -f "$err"' EXIT
for attempt in 1 2; do
    "$wine" "$@" 2>"$err"
    status=$?
    if [ "$status" -ne 0 ] && [ "$attempt" -eq 1 ] && grep -q "wine client error" "$err"; then
        continue
    fi
    break
done
cat "$err" >&2
exit "$status"
