# Sourced by the test scripts that drive Windows programs under Wine: a
# private Xvfb display when none is given (its process id is added to the
# caller's own_pids, which the caller's clean-up ends; -noreset keeps the
# keyboard settings), and wait_until.
if [ -z "${DISPLAY:-}" ]; then
    n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
    own_pids+=($!)
    export DISPLAY=:$n
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
fi

wait_until() {  # wait_until SECONDS COMMAND...: true once the command succeeds
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge "$end" ] && return 1
        sleep 0.2
    done
}
