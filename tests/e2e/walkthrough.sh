#!/usr/bin/env bash
# The whole program end to end under a private X server and accessibility bus,
# or with PRANOTH_E2E_SESSION=wayland on a headless Wayland compositor.
# Usage: walkthrough.sh PROGRAM TITLE VERSION
# PRANOTH_E2E_PARTS=name,... runs only those parts; "printing" runs on a print
# server of its own, which needs root (exit status 77, skipped, otherwise).
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [[ "${PRANOTH_E2E_SESSION:-x11}" == wayland ]]; then
    start_wayland
else
    start_display
fi
mkdir -p "$XDG_CONFIG_HOME"
if [[ ",${PRANOTH_E2E_PARTS:-}," == *,printing,* ]]; then
    if [[ $(id -u) -ne 0 ]]; then
        echo "printing: skipped: the private print server needs root, for a mount namespace of its own"
        exit 77
    fi
    start_print_server
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export NO_AT_BRIDGE=0
dbus-run-session -- /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/walkthrough.py" "$@" \
    2> >(grep -v -E 'dbus-daemon|SpiRegistry|Failed to set fd limit|dbind-WARNING' >&2)
