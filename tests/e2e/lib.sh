# Helpers for driving the real program under a private X server.
# Sourced by the end-to-end tests; each test runs in its own temporary home.

set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and a private home; exports DISPLAY.
start_display() {
    work=$(mktemp -d)
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    exec 5> "$work/display"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.05
    done
    [[ -s "$work/display" ]] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
    trap cleanup EXIT
}

cleanup() {
    local pids
    pids=$(jobs -p)
    [[ -n "$pids" ]] && kill $pids 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}

# Waits up to $2 seconds (default 10) for a window whose name matches $1;
# prints its id.
wait_window() {
    local pattern=$1 seconds=${2:-10} id
    for _ in $(seq $((seconds * 20))); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Waits up to $2 seconds for process $1 to end; its exit code lands in $exit_code.
wait_exit() {
    local pid=$1 seconds=${2:-10}
    for _ in $(seq $((seconds * 20))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            exit_code=0
            wait "$pid" || exit_code=$?
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Sends keys to a window.
keys() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    xdotool key --clearmodifiers --delay 60 "$@"
}
