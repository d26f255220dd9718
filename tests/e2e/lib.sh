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

# Debian's CUPS, run as a server of the test's own in "$work/cups", on its own
# socket, with one queue, "PDF", that prints to PDF files; exports
# CUPS_SERVER, and PRANOTH_PRINTED, the folder the printed files land in. The
# queue's backend reads its settings only from the system's folder, so the
# server runs in a mount namespace of its own, with the test's settings bound
# over that one file: this takes root. The machine's own print system, its
# settings and folders are left as they are.
start_print_server() {
    local cups=$work/cups
    mkdir -p "$cups"/{settings,state,cache,spool,tmp,log,keys,printed,pdf-spool}
    # Filters run as the print system's user "lp", in the test's folders.
    chmod 711 "$work"
    chmod 1777 "$cups/tmp"
    cat >"$cups/settings/cupsd.conf" <<CONF
Listen $cups/socket
Browsing No
BrowseLocalProtocols none
LogLevel error
<Location />
  Order deny,allow
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$cups/settings/cups-files.conf" <<CONF
ServerRoot $cups/settings
RequestRoot $cups/spool
CacheDir $cups/cache
StateDir $cups/state
TempDir $cups/tmp
ServerKeychain $cups/keys
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
Printcap $cups/printcap
User lp
Group lp
SystemGroup root
LogFileGroup root
CONF
    cat >"$cups/cups-pdf.conf" <<CONF
Out $cups/printed
AnonDirName $cups/printed
Spool $cups/pdf-spool
Log $cups/log
Grp root
CONF
    # shellcheck disable=SC2016 # expanded by the inner shell
    unshare --mount --propagation private sh -c \
        'mount --bind "$1/cups-pdf.conf" /etc/cups/cups-pdf.conf &&
         exec cupsd -f -c "$1/settings/cupsd.conf" -s "$1/settings/cups-files.conf"' \
        sh "$cups" >"$cups/log/cupsd.out" 2>&1 &
    echo $! >"$cups/cupsd.pid"
    export CUPS_SERVER=$cups/socket PRANOTH_PRINTED=$cups/printed
    local _
    for _ in $(seq 200); do
        [[ $(lpstat -r 2>&1) == "scheduler is running" ]] && break
        sleep 0.05
    done
    [[ $(lpstat -r 2>&1) == "scheduler is running" ]] ||
        fail "the print server did not start: $(cat "$cups/log/cupsd.out" "$cups/log/error_log")"
    # Poppler's renderer keeps the text of embedded TrueType fonts readable
    # in what the queue prints; Ghostscript's does not.
    # (lpadmin warns that queues with a driver file are deprecated.)
    local said
    said=$(lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
               -o pdftops-renderer-default=pdftocairo 2>&1 &&
           lpadmin -d PDF 2>&1) || fail "the PDF queue could not be set up: $said"
}

stop_print_server() {
    [[ -s "$work/cups/cupsd.pid" ]] && kill "$(cat "$work/cups/cupsd.pid")" 2>/dev/null
    rm -f "$work/cups/cupsd.pid"
}

cleanup() {
    stop_print_server || true
    stop_virtual_display "$work" || true
    if [[ -s "$work/weston.pid" ]]; then
        kill "$(cat "$work/weston.pid")" 2>/dev/null || true
    fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
