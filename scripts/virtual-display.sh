# shellcheck shell=bash
# Starts a private X server on a free display, for scripts/run and the
# end-to-end tests. Sourced, not run.
#
#   start_virtual_display FOLDER   starts Xvfb, its log in FOLDER/xvfb.log and
#                                  its process id in FOLDER/xvfb.pid; exports DISPLAY
#   stop_virtual_display FOLDER    stops it
start_virtual_display() {
    local folder=$1
    # The server is in a session of its own, so that a Ctrl+C in the terminal
    # reaches the program first and the display is stopped after it.
    exec {display_fd}>"$folder/display"
    setsid Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp \
        >"$folder/xvfb.log" 2>&1 &
    echo $! >"$folder/xvfb.pid"
    exec {display_fd}>&-
    local _
    for _ in $(seq 100); do
        [[ -s "$folder/display" ]] && break
        sleep 0.05
    done
    if [[ ! -s "$folder/display" ]]; then
        echo "the virtual display did not start; see $folder/xvfb.log" >&2
        return 1
    fi
    DISPLAY=":$(head -n1 "$folder/display")"
    export DISPLAY
}

stop_virtual_display() {
    [[ -s "$1/xvfb.pid" ]] && kill "$(cat "$1/xvfb.pid")" 2>/dev/null
    rm -f "$1/xvfb.pid"
}
