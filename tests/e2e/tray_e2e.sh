#!/usr/bin/env bash
# The real program under a virtual X server with trayer as tray host: icon, tooltip,
# menu, Exit and what the data file holds afterwards, a second copy, a
# restart after kill -9 and two copies started at once. Screenshots of each step go
# to the output folder. Every process it starts is ended by its PID.
#   tray_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
PROGRAM=$1
TOOL=$2
OUT=$3
source "$(dirname "$0")/lib.sh"
# Answers the exit question from the tray menu with y or n (No: desktop_e2e.sh).
exit_via_menu() {
    local icon
    icon=$(icon_window)
    xdotool mousemove --window "$icon" 10 10 click 3
    wait_for 5 has_menu || fail "no menu after a right click"
    shot menu
    xdotool key x
    wait_for 5 has_question || fail "no exit question after E&xit program"
    shot exit-question
    local box
    box=$(question_window)
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool key --window "$box" "$1"
    xdotool keyup "$1" # never left down for the next window
    wait_for 5 no_question || fail "the exit question did not close"
}

settings Sound=0 Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "1,2026-01-01T23:59:59,1,0,daily rung" "4,2026-01-01T23:59:59,1,0,annual rung" \
    "0,2099-01-01T12:00:00,0,1,far off" || fail "could not write the test alarms"

# --- start: icon and tooltip
start_program
FIRST=$LAST
wait_for 15 has_icon || fail "no tray icon"
pass "the tray icon appears"
shot icon
xdotool mousemove --window "$(icon_window)" 10 10
sleep 1.5
shot tooltip

# --- a second copy ends and touches nothing
BEFORE=$(stat -c %Y.%s "$DATA")
sleep 1.1
start_program
SECOND=$LAST
wait_for 10 gone "$SECOND" || fail "the second copy keeps running"
wait "$SECOND"
[ $? -eq 0 ] || fail "the second copy ended with an error"
[ "$(stat -c %Y.%s "$DATA")" = "$BEFORE" ] || fail "the second copy wrote the data file"
[ "$(icon_count)" -eq 1 ] || fail "a second icon appeared"
alive "$FIRST" || fail "the first copy ended when the second started"
pass "a second copy ends at once and leaves the data file alone"

# --- Exit, Yes: ends and writes the alarms
exit_via_menu y
wait_for 10 gone "$FIRST" || fail "the program did not end after Yes"
DUMP=$("$TOOL" dump "$DATA") || fail "the data file cannot be read after exit"
echo "$DUMP" | grep -qx '1 0 0 daily rung' || fail "daily alarm not saved with Rung cleared: $DUMP"
echo "$DUMP" | grep -qx '4 1 0 annual rung' || fail "annual alarm lost its Rung: $DUMP"
echo "$DUMP" | grep -qx '0 0 1 far off' || fail "one-off alarm not kept: $DUMP"
wait_for 5 icons_are 0 || fail "the icon stayed after the end"
pass "Exit answered Yes ends the program; daily Rung cleared, annual kept"

# --- killed with -9, the next start runs
# The daily alarm is stored as rung; only a save of the running program clears that.
"$TOOL" write "$DATA" "1,2026-01-01T23:59:59,1,0,daily rung" "0,2099-01-01T12:00:00,0,1,far off" ||
    fail "could not write the test alarms"
start_program
CRASHED=$LAST
wait_for 15 has_icon || fail "no icon on the third start"
kill -9 "$CRASHED"
wait "$CRASHED" 2>/dev/null
wait_for 10 sh -c "[ \$(xwininfo -root -tree | awk '/\"panel\"/ {p = 1; next} p && /\"Tockwell\": \\(\"tockwell\"/ {n++} END {print n + 0}') -eq 0 ]"
DUMP=$("$TOOL" dump "$DATA") || fail "the data file cannot be read after kill -9"
echo "$DUMP" | grep -qx '1 1 0 daily rung' || fail "the data file changed on kill -9: $DUMP"
start_program
AFTER=$LAST
wait_for 15 has_icon || fail "no icon after a restart following kill -9"
sleep 1
alive "$AFTER" || fail "the start after kill -9 did not keep running"
pass "a copy killed with -9 does not block the next start"
shot after-crash

# --- SIGTERM ends it through the normal shutdown, which saves the list
kill -TERM "$AFTER"
wait_for 10 gone "$AFTER" || fail "SIGTERM did not end the program"
DUMP=$("$TOOL" dump "$DATA") || fail "the data file cannot be read after SIGTERM"
echo "$DUMP" | grep -qx '1 0 0 daily rung' || fail "SIGTERM did not save the list: $DUMP"
echo "$DUMP" | grep -qx '0 0 1 far off' || fail "alarm lost after SIGTERM: $DUMP"
pass "SIGTERM ends the program and saves the alarms"

# --- the tray host comes after the program, and restarts while it runs
kill "$TRAY"
wait "$TRAY" 2>/dev/null
start_program
LATE=$LAST
sleep 2
alive "$LATE" || fail "the program did not keep running without a tray host"
start_tray
wait_for 15 has_icon || fail "no icon once a tray host appeared"
kill "$TRAY"
wait "$TRAY" 2>/dev/null
start_tray
wait_for 15 has_icon || fail "no icon after the tray host restarted"
pass "the icon appears when a tray host comes, and again after it restarts"
kill -TERM "$LATE"
wait_for 10 gone "$LATE" || fail "SIGTERM did not end the program"

# --- two copies at the same instant: exactly one runs
"$WORK/prog/tockwell" >>"$WORK/program.log" 2>&1 &
A=$!
"$WORK/prog/tockwell" >>"$WORK/program.log" 2>&1 &
B=$!
PIDS+=("$A" "$B")
wait_for 15 has_icon || fail "no icon with two copies started at once"
sleep 2
RUNNING=0
alive "$A" && RUNNING=$((RUNNING + 1))
alive "$B" && RUNNING=$((RUNNING + 1))
[ "$RUNNING" -eq 1 ] || fail "$RUNNING copies run after a simultaneous start"
[ "$(icon_count)" -eq 1 ] || fail "$(icon_count) icons after a simultaneous start"
pass "of two copies started at once exactly one runs"
shot simultaneous
kill -TERM "$A" "$B" 2>/dev/null
wait_for 10 sh -c "! kill -0 $A 2>/dev/null && ! kill -0 $B 2>/dev/null" ||
    wait_for 5 sh -c "! grep -qs '^State:.*[RS]' /proc/$A/status /proc/$B/status"

echo "end-to-end run complete"
