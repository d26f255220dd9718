# shellcheck shell=bash
# Helpers for driving the real program under a private X server.
# Sourced by the end-to-end tests; each test runs in its own temporary home.

set -euo pipefail

# shellcheck source=scripts/virtual-display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual-display.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and a private home; exports DISPLAY.
start_display() {
    work=$(mktemp -d)
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/home/.config"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    start_virtual_display "$work" || fail "Xvfb did not start"
    export QT_QPA_PLATFORM=xcb
    trap cleanup EXIT
}

cleanup() {
    stop_virtual_display "$work" || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
