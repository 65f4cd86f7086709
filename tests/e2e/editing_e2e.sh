#!/usr/bin/env bash
# Editing alarms in the real program as a user would: a click on the tray icon opens
# the alarms window, Add opens the add-alarm dialog, a typed message is accepted and
# lands in the data file; the alarm is selected and deleted, and the file is empty
# again. Screenshots of both windows go to the output folder.
#   editing_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
PROGRAM=$1
TOOL=$2
OUT=$3
source "$(dirname "$0")/lib.sh"

size_is() { [ "$(stat -c %s "$DATA")" -eq "$1" ]; }

settings Sound=0 Snooze=1 SnoozeMin=5
: >"$DATA"
start_program
PID=$LAST
wait_for 15 has_icon || fail "no tray icon"

add_alarm "Water the plants"
pass "a click on the tray icon opens the alarms window, Add the add-alarm dialog"
wait_for 10 size_is 624 || fail "the data file does not hold one alarm after Add"
"$TOOL" dump "$DATA" | grep -qx '0 0 1 Water the plants' || fail "the file holds $("$TOOL" dump "$DATA")"
pass "Add with a typed message puts the alarm into the data file"
sleep 0.3
shot alarms-window-with-alarm

click_in "$STAT" 88 90 # the first row of the grid
click_in "$STAT" 160 34 # Delete
wait_for 10 size_is 0 || fail "the data file still holds the alarm after Delete"
pass "Delete takes the alarm out of the data file"
shot alarms-window-empty

click_in "$STAT" 364 34 # Close window
wait_for 10 no_window 860 || fail "Close window did not hide the alarms window"
pass "Close window hides the alarms window"
stop_program "$PID"
size_is 0 || fail "the data file changed at exit"
echo "end-to-end run complete"
