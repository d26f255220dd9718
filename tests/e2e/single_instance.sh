#!/usr/bin/env bash
# The real program under X: a second launch says so and ends while the first
# keeps running; a crashed instance does not block the next start; File > Exit
# ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program=$1

start_display

"$program" &
first=$!
main=$(wait_window '^Pranoth v1\.15$') || fail "the main window did not appear"

"$program" &
second=$!
box=$(wait_window '^Pranoth$') || fail "the second launch showed no message box"
kill -0 "$second" || fail "the second launch ended before its message was answered"
keys "$box" Return
wait_exit "$second" || fail "the second launch did not end"
[[ $exit_code -eq 0 ]] || fail "the second launch ended with $exit_code"
kill -0 "$first" || fail "the first instance ended too"

# A killed instance leaves its lock behind; the next start takes it over.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
"$program" &
third=$!
for _ in $(seq 100); do
    main=$(wait_window '^Pranoth v1\.15$') || fail "a start after a crash showed no main window"
    [[ $(xdotool getwindowpid "$main" 2>/dev/null) == "$third" ]] && break
    sleep 0.05
done
[[ $(xdotool getwindowpid "$main") == "$third" ]] || fail "the new start showed no window of its own"
sleep 0.5
if xdotool search --onlyvisible --name '^Pranoth$' >/dev/null 2>&1; then
    fail "a start after a crash said another instance runs"
fi

# File > Exit is a user close: the program ends.
keys "$main" alt+f Return
wait_exit "$third" || fail "File > Exit did not end the program"
[[ $exit_code -eq 0 ]] || fail "the program ended with $exit_code"
echo "single instance: ok"
