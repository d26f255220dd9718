# shellcheck shell=bash
# Helpers for driving the real program in a private session: an X server, or
# a headless Wayland compositor with no X server at all. Sourced by the
# end-to-end tests; each test runs in its own temporary home.

set -euo pipefail

# shellcheck source=scripts/virtual-display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual-display.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# A private home and runtime folder in a temporary folder of its own ($work).
private_home() {
    work=$(mktemp -d)
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    trap cleanup EXIT
}

# Starts Xvfb on a free display and a private home; exports DISPLAY.
start_display() {
    private_home
    start_virtual_display "$work" || fail "Xvfb did not start"
    export QT_QPA_PLATFORM=xcb
}

# Starts weston's headless backend on a socket in the private runtime folder,
# with no X server; exports WAYLAND_DISPLAY.
start_wayland() {
    private_home
    unset DISPLAY
    export WAYLAND_DISPLAY=wayland-pranoth QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland
    setsid weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --no-config \
        --idle-time=0 --log="$work/weston.log" >/dev/null 2>&1 &
    echo $! >"$work/weston.pid"
    local _
    for _ in $(seq 200); do
        [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] && return 0
        sleep 0.05
    done
    fail "weston did not start; see $work/weston.log"
}

cleanup() {
    stop_virtual_display "$work" || true
    if [[ -s "$work/weston.pid" ]]; then
        kill "$(cat "$work/weston.pid")" 2>/dev/null || true
    fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
