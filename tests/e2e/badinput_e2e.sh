#!/usr/bin/env bash
# The real program started with damaged input: a data file of odd length holding NaN
# and infinite times, a Kind 99 and a message without terminator; a file of 10,000
# alarms; a settings file that does not parse; a window without a help page. Each time
# it must keep running, say what the program says (a box's error text is also logged
# on the standard error output), and lose nothing it could read. The missing
# sound file is played around in notice_e2e.sh.
#   badinput_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
PROGRAM=$1
TOOL=$2
OUT=$3
source "$(dirname "$0")/lib.sh"

settings Sound=0 Snooze=1 SnoozeMin=5

# --- odd length, NaN and infinite times, Kind 99, no terminator
"$TOOL" write "$DATA" "1,nan,0,1,daily at no time" "99,2026-03-01T08:00:00,0,1,kind 99" \
    "4,2026-03-01T08:00:00,0,1,@full" "0,inf,0,1,one-off at infinity" ||
    fail "could not write the test alarms"
printf 'cut-off record' >>"$DATA"
cp "$DATA" "$WORK/damaged.orig"
start_program_at "2026-03-02 12:00:00"
PID=$LAST
wait_for 15 has_question || fail "no message about the damaged data file"
shot damaged-file-message
TEXT=$(box_text)
echo "$TEXT" | grep -q "Sorry, there was an error while reading the alarm data file. Please check that your hard disc is not full" ||
    fail "not the read-error message: $TEXT"
pass "a data file of odd length gives the read-error message"
wait_for 15 has_icon || fail "no tray icon after the message"
xdotool mousemove --window "$(icon_window)" 10 10 click 1
wait_for 10 has_titled '^Tockwell$' || fail "no alarms window for the damaged records"
shot damaged-records
sleep 12 # a check cycle or more over NaN, infinity and Kind 99
alive "$PID" || fail "the program ended with the damaged records"
has_titled 'alarm for' && fail "a damaged record rang"
stop_program "$PID"
DUMP=$("$TOOL" dump "$DATA") || fail "the data file cannot be read after the run"
[ "$(echo "$DUMP" | wc -l)" -eq 4 ] || fail "not the four whole records: $DUMP"
for t in 'daily at no time' 'kind 99' 'one-off at infinity' 'éééééééééé'; do
    echo "$DUMP" | grep -q "$t" || fail "record '$t' lost: $DUMP"
done
ASIDE=$(ls "$WORK"/prog/Tockwell.alarms.damaged-* 2>/dev/null | head -1)
[ -n "$ASIDE" ] || fail "the damaged file was not kept aside"
cmp -s "$ASIDE" "$WORK/damaged.orig" || fail "the kept-aside file differs from the damaged one"
pass "the damaged records are shown, never ring, are saved back; the damaged file is kept whole aside"
rm -f "$WORK"/prog/Tockwell.alarms.damaged-*

# --- SIGTERM while that box waits (it comes before the event loop runs): the end
printf 'cut-off record' >>"$DATA"
start_program_at "2026-03-02 12:00:00"
PID=$LAST
wait_for 15 has_question || fail "no message about the damaged data file"
kill -TERM "$PID"
wait_for 10 gone "$PID" || fail "SIGTERM while a start-up box waited did not end the program"
wait "$PID" || fail "the program ended with status $? on SIGTERM"
pass "SIGTERM while a start-up box waits ends the program with status 0"
rm -f "$WORK"/prog/Tockwell.alarms.damaged-*

# --- 10,000 alarms
"$TOOL" many "$DATA" 10000 || fail "could not write 10,000 alarms"
START=$SECONDS
start_program_at "2026-03-02 12:00:00"
PID=$LAST
wait_for 20 has_icon || fail "no tray icon with 10,000 alarms"
has_question && fail "a message with 10,000 whole alarms: $(box_text)"
xdotool mousemove --window "$(icon_window)" 10 10 click 1
wait_for 30 has_titled '^Tockwell$' || fail "no alarms window with 10,000 alarms"
pass "10,000 alarms: icon and alarms window after $((SECONDS - START)) s"
shot many-alarms
sleep 11
alive "$PID" || fail "the program ended with 10,000 alarms"
stop_program "$PID"
[ "$("$TOOL" dump "$DATA" | wc -l)" -eq 10000 ] || fail "not 10,000 alarms after the run"
pass "10,000 alarms survive a run and are saved back"

# --- a settings file that does not parse
"$TOOL" write "$DATA" "0,2099-01-01T12:00:00,0,1,far off" || fail "could not write the test alarm"
printf '[Tockwell]\nSound=1\nthis line is no setting\nSnoozeMin=10\n' >"$XDG_CONFIG_HOME/Ostrand/Tockwell.ini"
cp "$XDG_CONFIG_HOME/Ostrand/Tockwell.ini" "$WORK/ini.orig"
start_program_at "2026-03-02 12:00:00"
PID=$LAST
wait_for 15 has_question || fail "no message about the damaged settings file"
TEXT=$(box_text)
echo "$TEXT" | grep -q "There was an error reading the registry. Please reinstall Tockwell" ||
    fail "not the settings message: $TEXT"
pass "a settings file that does not parse gives the registry message"
wait_for 15 has_icon || fail "no tray icon after the settings message"
menu o
wait_for 10 has_titled '^Tockwell Options$' || fail "no options dialog"
xdotool windowfocus --sync "$(titled '^Tockwell Options$')" 2>/dev/null
xdotool key --window "$(titled '^Tockwell Options$')" Return
xdotool keyup Return
wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Tockwell Options$' >/dev/null" ||
    fail "OK did not close the options dialog"
ASIDE=$(ls "$XDG_CONFIG_HOME"/Ostrand/Tockwell.ini.damaged-* 2>/dev/null | head -1)
[ -n "$ASIDE" ] || fail "the damaged settings file was not kept aside before the write"
cmp -s "$ASIDE" "$WORK/ini.orig" || fail "the kept-aside settings differ from the damaged ones"
grep -q '^Sound=' "$XDG_CONFIG_HOME/Ostrand/Tockwell.ini" || fail "OK wrote no settings"
pass "the damaged settings are kept aside whole before OK writes new ones"

# --- a window without a help page: F1 there does nothing; Help still opens
menu a # About and Alarms Window share their letter: it picks the first, Enter runs it
xdotool key Return
xdotool keyup Return
wait_for 10 has_titled '^About Tockwell$' || fail "no about box"
xdotool windowfocus --sync "$(titled '^About Tockwell$')" 2>/dev/null
xdotool key --window "$(titled '^About Tockwell$')" F1
xdotool keyup F1
sleep 1
has_titled 'Help$' && fail "F1 in the about box opened help"
alive "$PID" || fail "F1 without a help page ended the program"
xdotool key --window "$(titled '^About Tockwell$')" Return
xdotool keyup Return
wait_for 10 sh -c "! xdotool search --onlyvisible --name '^About Tockwell$' >/dev/null" ||
    fail "the about box did not close"
menu h
wait_for 10 has_titled '^Tockwell Help$' || fail "Help did not open the help window"
shot help
pass "F1 in a window without a help page does nothing; Help opens the help window"
stop_program "$PID"
"$TOOL" dump "$DATA" | grep -q 'far off' || fail "alarm lost in the settings run"
echo "end-to-end run complete"
