#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on trayer (XEmbed): the icon, single copy, kill -9, a late tray host.
#   tray_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
PROGRAM=$1 TOOL=$2 OUT=$3
source "$(dirname "$0")/lib.sh"
settings Sound=0 Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "1,2026-01-01T23:59:59,1,0,daily rung" || fail "could not write the test alarm"

start_program
FIRST=$LAST
wait_for 15 has_icon || fail "no tray icon"
xdotool mousemove --window "$(icon_window)" 10 10 click 1
wait_for 10 has_question || fail "a click on the icon did not open the alarms window" # titled Tockwell
key_to "$(question_window)" alt+c
wait_for 10 no_question || fail "Close window did not close the alarms window"
BEFORE=$(stat -c %Y.%s "$DATA")
sleep 1.1
start_program
wait_for 10 gone "$LAST" || fail "the second copy keeps running"
wait "$LAST" || fail "the second copy ended with an error"
[ "$(stat -c %Y.%s "$DATA")" = "$BEFORE" ] || fail "the second copy wrote the data file"
icons_are 1 || fail "a second icon appeared"
alive "$FIRST" || fail "the first copy ended when the second started"
pass "a second copy ends at once and leaves the data file alone"

kill -9 "$FIRST"
wait "$FIRST" 2>/dev/null
wait_for 10 icons_are 0 || fail "the killed copy's icon stayed"
[ "$("$TOOL" dump "$DATA")" = '1 1 0 daily rung' ] || fail "kill -9 changed the data file"
start_program
AFTER=$LAST
wait_for 15 has_icon || fail "no icon after a restart following kill -9"
sleep 1
alive "$AFTER" || fail "the start after kill -9 did not keep running"
pass "a copy killed with -9 does not block the next start"
stop_program "$AFTER"

kill "$TRAY"
start_program
LATE=$LAST
sleep 2
alive "$LATE" || fail "the program did not keep running without a tray host"
for when in "once a tray host appeared" "after the tray host restarted"; do
    wait_for 10 gone "$TRAY"
    start_tray
    wait_for 15 has_icon || fail "no icon $when"
    kill "$TRAY"
done
pass "the icon appears when a tray host comes, and again after it restarts"
stop_program "$LATE"
wait_for 10 gone "$TRAY"
start_tray

"$WORK/prog/tockwell" >>"$WORK/program.log" 2>&1 &
A=$!
start_program
B=$LAST
PIDS+=("$A")
wait_for 15 has_icon || fail "no icon with two copies started at once"
sleep 2
[ "$( (alive "$A" && echo a; alive "$B" && echo b) | wc -l)" -eq 1 ] || fail "not one copy runs after a simultaneous start"
icons_are 1 || fail "$(icons | wc -l) icons after a simultaneous start"
pass "of two copies started at once exactly one runs"
echo "end-to-end run complete"
