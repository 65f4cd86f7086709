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

has_window() { window_of_width "$1" >/dev/null; }
no_window() { ! window_of_width "$1" >/dev/null; }
size_is() { [ "$(stat -c %s "$DATA")" -eq "$1" ]; }
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

settings Sound=0 Snooze=1 SnoozeMin=5
: >"$DATA"
start_program
PID=$LAST
wait_for 15 has_icon || fail "no tray icon"

xdotool mousemove --window "$(icon_window)" 10 10 click 1
wait_for 10 has_window 860 || fail "a click on the icon did not open the alarms window"
STAT=$(window_of_width 860)
pass "a click on the tray icon opens the alarms window"
shot alarms-window

click_in "$STAT" 58 34 # Add
wait_for 10 has_window 640 || fail "Add did not open the add-alarm dialog"
ADD=$(window_of_width 640)
shot add-dialog
xdotool windowfocus --sync "$ADD" 2>/dev/null
xdotool type --delay 20 "Water the plants"
sleep 0.3
shot add-dialog-typed
click_in "$ADD" 491 304 # the dialog's Add
wait_for 10 no_window 640 || fail "the add-alarm dialog stayed open after Add"
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
