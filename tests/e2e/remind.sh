#!/usr/bin/env bash
# pranoth --remind against a desktop notification service of the test's own:
# python-dbusmock's notification daemon on a private session bus, with a
# private home whose My History the test writes. No display in any case.
#
#   remind.sh PROGRAM HISTORY_WRITER
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

program=$1
writer=$2
# Debian's python, which has dbusmock, whatever python comes first on PATH.
python=/usr/bin/python3
"$python" -c 'import dbusmock' 2>/dev/null || { echo "python3-dbusmock is not installed"; exit 77; }

private_home
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_DATA_HOME=$HOME/.local/share
history=$XDG_DATA_HOME/pranoth/history.sqlite
mkdir -p "${history%/*}" "$XDG_CONFIG_HOME"
printf '[Practice]\nWeeklyGoal=2\n' >"$XDG_CONFIG_HOME/pranoth.ini"

# A session bus that starts no service of its own.
cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$work/bus</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$work/bus.conf" --fork --print-pid >"$work/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus

mock_pid=
start_notifications() {
    : >"$work/notify.log"
    "$python" -m dbusmock --session --template notification_daemon \
        --parameters '{"capabilities": "body actions"}' -l "$work/notify.log" \
        >/dev/null 2>&1 &
    mock_pid=$!
    local _
    for _ in $(seq 100); do
        bus_call GetCapabilities >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "the notification service did not start"
}
stop_notifications() {
    # dbusmock waits on its main loop through a SIGTERM.
    [[ -n "$mock_pid" ]] && kill -KILL "$mock_pid" 2>/dev/null && wait "$mock_pid" 2>/dev/null || true
    mock_pid=
}
bus_call() {
    "$python" -c '
import sys, dbus
o = dbus.SessionBus().get_object("org.freedesktop.Notifications", "/org/freedesktop/Notifications")
print(o.get_dbus_method(sys.argv[1], "org.freedesktop.Notifications")())' "$@"
}
# Sends one of the service's signals, as if the user had acted on the
# notification last sent: the mock numbers them from 1.
sent=0
emit() {
    "$python" -c '
import sys, dbus
o = dbus.SessionBus().get_object("org.freedesktop.Notifications", "/org/freedesktop/Notifications")
o.EmitSignal("org.freedesktop.Notifications", sys.argv[1], sys.argv[2],
             [dbus.UInt32(int(sys.argv[4])),
              dbus.String(sys.argv[3]) if sys.argv[2] == "us" else dbus.UInt32(2)],
             dbus_interface="org.freedesktop.DBus.Mock")' "$@" "$sent"
}
notifications() { grep -c ' Notify ' "$work/notify.log" || true; }

remind_cleanup() {
    stop_notifications || true
    [[ -s "$work/bus.pid" ]] && kill "$(cat "$work/bus.pid")" 2>/dev/null
    cleanup
}
trap remind_cleanup EXIT

# Runs the reminder in the background; its output goes to $work/said.
remind() {
    "$program" --remind >"$work/said" 2>&1 &
    remind_pid=$!
}
# Waits a few seconds at most for the reminder to end; its status.
ended() {
    local _ status=0
    for _ in $(seq 200); do
        kill -0 "$remind_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$remind_pid" 2>/dev/null && fail "$1: --remind did not end"
    wait "$remind_pid" || status=$?
    return "$status"
}
# Waits for the reminder to end with status 0 and nothing said.
ended_silently() {
    local status=0
    ended "$1" || status=$?
    [[ $status -eq 0 ]] || fail "$1: --remind ended with status $status: $(cat "$work/said")"
    [[ ! -s "$work/said" ]] || fail "$1: --remind said: $(cat "$work/said")"
}
until_notified() {
    local _
    for _ in $(seq 200); do
        [[ $(notifications) -ge 1 ]] && sent=$((sent + 1)) && return 0
        sleep 0.05
    done
    fail "$1: no notification was sent"
}

now=$(date +%s)
start_notifications

# (a) Last week's sessions only: this week's goal is not met.
"$writer" "$history" sessions $((now - 8 * 86400)) $((now - 9 * 86400)) ||
    fail "the history could not be written"
remind
until_notified "goal not met"
[[ $(notifications) -eq 1 ]] || fail "more than one notification: $(cat "$work/notify.log")"
line=$(grep ' Notify ' "$work/notify.log")
[[ $line == *'Notify "Pranoth" 0 "com.example.pranoth" "Time to practise" "0 of 2 this week'* ]] ||
    fail "the notification is not the reminder: $line"
[[ $line == *'["practise", "Practise now"]'* ]] || fail "no Practise now action: $line"
[[ $line == *'"desktop-entry": "com.example.pranoth"'* ]] || fail "no desktop entry: $line"
kill -0 "$remind_pid" 2>/dev/null || fail "--remind did not wait for the notification's answer"
emit NotificationClosed uu 2
ended_silently "notification closed"

# Practise now starts the program with --practise, detached: with no display
# here it only says that it found none.
: >"$work/notify.log"
remind
until_notified "before Practise now"
emit ActionInvoked us practise
ended "Practise now" || fail "--remind failed after Practise now"
for _ in $(seq 100); do
    grep -q 'no display could be reached' "$work/said" && break
    sleep 0.05
done
grep -q 'no display could be reached' "$work/said" ||
    fail "Practise now did not start the program: $(cat "$work/said")"

# (b) A session kept today: no notification.
"$writer" "$history" sessions "$now" || fail "the history could not be written"
: >"$work/notify.log"
remind
ended_silently "a session kept today"
[[ $(notifications) -eq 0 ]] || fail "notified after a session today: $(cat "$work/notify.log")"

# Nothing was written by the reminder: no settings, no log beside the history, no lock.
only() {
    local files
    files=$(cd "$HOME" && find . -type f | sort)
    [[ "$files" == "$1" ]] || fail "the home holds files the reminder made: $files"
    [[ $(cat "$XDG_CONFIG_HOME/pranoth.ini") == $'[Practice]\nWeeklyGoal=2' ]] ||
        fail "the settings were changed"
}
only $'./.config/pranoth.ini\n./.local/share/pranoth/history.sqlite'

# (c) No notification service on the bus, and no history at all.
rm "$history"
stop_notifications
remind
ended_silently "no notification service"
only './.config/pranoth.ini'
echo "remind: notified when behind, silent after today's session and with no service"
