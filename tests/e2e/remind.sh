#!/usr/bin/env bash
# pranoth --remind, with no display, against python-dbusmock's notification
# daemon on a private session bus, in a private home whose My History the
# test writes.   remind.sh PROGRAM HISTORY_WRITER
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program=$1 writer=$2
python=/usr/bin/python3 # Debian's, with dbusmock, whatever comes first on PATH
"$python" -c 'import dbusmock' 2>/dev/null || { echo "python3-dbusmock is missing"; exit 77; }

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
<busconfig><type>session</type><listen>unix:path=$work/bus</listen>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>
CONF
dbus-daemon --config-file="$work/bus.conf" --fork --print-pid >"$work/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
"$python" -m dbusmock --session --template notification_daemon -l "$work/notify.log" \
    --parameters '{"capabilities": "body actions"}' >/dev/null 2>&1 &
mock=$!
# shellcheck disable=SC2317 # run by the trap
finish() {
    kill -KILL "$mock" ${pid:-} 2>/dev/null || true # dbusmock waits out a SIGTERM
    kill "$(cat "$work/bus.pid")" 2>/dev/null || true
    cleanup
}
trap finish EXIT
# Runs the reminder in the background, what it says going to $work/said, and
# waits for its first notification, or for it to end.
remind() {
    : >"$work/notify.log"
    "$program" --remind >"$work/said" 2>&1 &
    pid=$!
    for _ in $(seq 200); do
        grep -aq ' Notify ' "$work/notify.log" || ! kill -0 "$pid" 2>/dev/null && return 0
        sleep 0.05
    done
}
ended_silently() {
    local status=0
    wait "$pid" || status=$?
    [[ $status -eq 0 && ! -s "$work/said" ]] || fail "$1: status $status, said: $(cat "$work/said")"
}
for _ in $(seq 100); do
    [[ -s "$work/notify.log" ]] || "$python" -c 'import dbus; dbus.SessionBus().get_object(
"org.freedesktop.Notifications", "/org/freedesktop/Notifications").GetCapabilities()' \
        >/dev/null 2>&1 && break
    sleep 0.05
done

# (a) Only last week's sessions: one notification, with the week's progress
# against the goal the settings hold, and its action; closed, the reminder ends.
now=$(date +%s)
"$writer" "$history" sessions $((now - 8 * 86400)) $((now - 9 * 86400)) || fail "no history written"
remind
notified=$(grep -a ' Notify ' "$work/notify.log") || fail "goal not met: nothing notified"
[[ $(grep -ac ' Notify ' "$work/notify.log") -eq 1 &&
   $notified == *'Notify "Pranoth" 0 "com.example.pranoth" "Time to practise" "0 of 2 this week'* &&
   $notified == *'["practise", "Practise now"] {"desktop-entry": "com.example.pranoth"} -1' ]] ||
    fail "not the reminder: $notified"
kill -0 "$pid" || fail "the reminder did not wait for the notification's end"
"$python" -c 'import dbus; dbus.SessionBus().get_object("org.freedesktop.Notifications",
"/org/freedesktop/Notifications").EmitSignal("org.freedesktop.Notifications", "NotificationClosed",
"uu", [dbus.UInt32(1), dbus.UInt32(2)], dbus_interface="org.freedesktop.DBus.Mock")'
ended_silently "closed"

# (b) A session kept today: nothing notified, and nothing written.
"$writer" "$history" sessions "$now" || fail "no history written"
remind
ended_silently "kept today"
! grep -a ' Notify ' "$work/notify.log" || fail "notified after a session today"
[[ $(cd "$HOME" && find . -type f | sort) == \
   $'./.config/pranoth.ini\n./.local/share/pranoth/history.sqlite' ]] || fail "the reminder wrote files"

# (c) No notification service on the bus.
kill -KILL "$mock" && { wait "$mock" 2>/dev/null || true; }
remind
ended_silently "no service"
echo "remind: notified when behind, silent after today's session and with no service"
