#!/usr/bin/env bash
# The whole program end to end under a private X server and accessibility bus,
# or with PRANOTH_E2E_SESSION=wayland on a headless Wayland compositor.
# Usage: walkthrough.sh PROGRAM TITLE VERSION
# PRANOTH_E2E_PARTS=name,... runs only those parts; "printing" runs on a print
# server of its own, which needs root (exit status 77, skipped, otherwise).
# PRANOTH_E2E_PALETTE=dark gives the session a dark desktop as many users set
# one up for Qt programs: the Fusion style and the qt6ct platform theme with
# its dark colour scheme.
# PRANOTH_E2E_SPEECH=none runs with no speech service to reach; otherwise a
# speech server of the test's own writes down every phrase the program says.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# shellcheck source=tests/e2e/speech.sh
source "$(dirname "${BASH_SOURCE[0]}")/speech.sh"

if [[ "${PRANOTH_E2E_SESSION:-x11}" == wayland ]]; then
    start_wayland
else
    start_display
fi
mkdir -p "$XDG_CONFIG_HOME"
if [[ "${PRANOTH_E2E_SPEECH:-}" == none ]]; then
    no_speech_server
else
    start_speech_server
fi
if [[ "${PRANOTH_E2E_PALETTE:-}" == dark ]]; then
    mkdir -p "$XDG_CONFIG_HOME/qt6ct"
    printf '[Appearance]\ncustom_palette=true\ncolor_scheme_path=%s\n' \
        /usr/share/qt6ct/colors/darker.conf >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
    export QT_QPA_PLATFORMTHEME=qt6ct QT_STYLE_OVERRIDE=Fusion
fi
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
