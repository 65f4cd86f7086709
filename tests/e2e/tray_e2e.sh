#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on trayer (XEmbed): alarms ringing under faketime, their sound recorded
# from a null sink; the icon, a single copy, a late tray host.
#   tray_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
PROGRAM=$1 TOOL=$2 OUT=$3
source "$(dirname "$0")/lib.sh"
# --- a sound server whose only sink can be recorded
export HOME="$WORK" PULSE_SERVER="unix:$WORK/pulse.sock"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix socket=$WORK/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=tocknull" >"$WORK/pulse.log" 2>&1 &
PIDS+=($!)
wait_for 10 sh -c 'pactl info >/dev/null 2>&1' || fail "PulseAudio did not start"
pactl set-default-sink tocknull
# A stream of silence keeps the sink running, so that a recording starts at once.
pacat -p --raw --format=s16le --rate=22050 --channels=1 --latency-msec=50 </dev/zero &
PIDS+=($!)
# The RMS amplitude of the sink over $1 seconds.
rms() {
    timeout -s TERM "$1" parec -d tocknull.monitor --raw --format=s16le --rate=22050 --channels=1 \
        --latency-msec=20 | sox -t raw -r 22050 -e signed -b 16 -c 1 - -n stat 2>&1 |
        awk '/RMS +amplitude/ {print $3}'
}
loud() { awk -v r="$(rms "$1")" 'BEGIN { exit !(r > 0.01) }'; }
silent() { awk -v r="$(rms "$1")" 'BEGIN { exit !(r < 0.002) }'; }
notice() { titled "^$1 alarm for "; }
answer_done() {
    key_to "$(notice "$1")" Return
    wait_for 5 sh -c "! xdotool search --onlyvisible --name '^$1 alarm for ' >/dev/null" ||
        fail "Done did not close the notice"
}

# --- a one-off alarm rings within ten seconds of its time, the sound once
settings Sound=1 SoundFile=alarm.wav "Persistent Sound=0" Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "0,2026-03-01T08:00:00,0,1,Take the bread out of the oven" ||
    fail "could not write the test alarm"
STARTED=$SECONDS
start_program_at "2026-03-01 07:59:51"
PID=$LAST
wait_for 35 has_titled '^One off alarm for ' || fail "the one-off alarm did not ring"
LATE=$((SECONDS - STARTED)) # 08:00:00 lies 9 s after the start
[ "$LATE" -ge 8 ] && [ "$LATE" -le 20 ] || fail "rang $LATE s after start, not within 10 s of its time"
loud 1 || fail "no sound while the notice is up"
sleep 1.2
silent 1 || fail "the sound went on without persistent sound"
pass "the one-off alarm rings within ten seconds of its time (${LATE} s after a start 9 s before it), its sound once"
answer_done "One off"
stop_program "$PID"

# --- started after a daily alarm's time: the catch-up notice, persistent sound, Done
settings Sound=1 SoundFile=alarm.wav "Persistent Sound=1" Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "1,2026-01-10T08:00:00,1,0,Daily stand-up" || fail "could not write the test alarms"
start_program_at "2026-03-01 12:00:00"
PID=$LAST
wait_for 25 has_titled '^Daily alarm for ' || fail "no catch-up notice for a daily alarm whose time had passed"
sleep 2.5
loud 1 || fail "persistent sound stopped before Done"
answer_done Daily
sleep 0.5
silent 1 || fail "sound after Done"
pass "a start after a daily alarm's time shows the catch-up notice; persistent sound plays until Done"
stop_program "$PID"

# --- the icon and a single copy
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
stop_program "$FIRST"

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

echo "end-to-end run complete"
