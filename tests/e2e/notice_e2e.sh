#!/usr/bin/env bash
# Alarms ringing in the real program, with the clock set by faketime: a one-off alarm
# rings within ten seconds of its time; a start after a daily
# alarm's time shows the catch-up notice, and so does a clock that jumps over one. The
# sound is recorded from a PulseAudio null sink: played once, played on while
# persistent, silent after Done, and the built-in default sound when the sound file is
# missing.
#   notice_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
PROGRAM=$1
TOOL=$2
OUT=$3
source "$(dirname "$0")/lib.sh"
cp "$(dirname "$PROGRAM")/alarm.wav" "$WORK/prog/alarm.wav"

# --- a sound server whose only sink can be recorded
export HOME="$WORK/home"
mkdir -p "$HOME"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix socket=$WORK/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=tocknull" >"$WORK/pulse.log" 2>&1 &
PIDS+=($!)
export PULSE_SERVER="unix:$WORK/pulse.sock"
wait_for 10 sh -c 'pactl info >/dev/null 2>&1' || fail "PulseAudio did not start"
pactl set-default-sink tocknull
# A stream of silence keeps the sink running, so that a recording starts at once.
pacat -p --raw --format=s16le --rate=22050 --channels=1 --latency-msec=50 </dev/zero &
PIDS+=($!)

# Records the sink for $1 seconds into $2 (raw, 16-bit mono 22050 Hz).
record() {
    timeout -s TERM "$1" parec -d tocknull.monitor --raw --format=s16le --rate=22050 --channels=1 \
        --latency-msec=20 >"$2"
}
rms() { sox -t raw -r 22050 -e signed -b 16 -c 1 "$1" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; }
loud() { awk -v r="$(rms "$1")" 'BEGIN { exit !(r > 0.01) }'; }
silent() { awk -v r="$(rms "$1")" 'BEGIN { exit !(r < 0.002) }'; }

press_done() {
    local w
    w=$(titled "$1")
    xdotool windowfocus --sync "$w" 2>/dev/null
    xdotool key --window "$w" Return
    # xdotool can leave the key down in the server; the next program's window would
    # receive it.
    xdotool keyup Return
}
now() { date +%s.%N; }
after() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

# --- a one-off alarm rings within ten seconds of its time, once, and Done ends it
settings Sound=1 SoundFile=alarm.wav "Persistent Sound=0" Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "0,2026-03-01T08:00:00,0,1,Take the bread out of the oven" ||
    fail "could not write the test alarm"
STARTED=$(now)
start_program_at "2026-03-01 07:59:41"
PID=$LAST
wait_for 15 has_icon || fail "no tray icon"
wait_for 35 sh -c "xdotool search --onlyvisible --name '^One off alarm for ' >/dev/null" ||
    fail "the one-off alarm did not ring"
LATE=$(after "$STARTED" "$(now)")
# 08:00:00 lies 19 s after the start.
awk -v l="$LATE" 'BEGIN { exit !(l >= 19 && l <= 29.5) }' || fail "rang $LATE s after start, not within 10 s of its time"
pass "the one-off alarm rings within ten seconds of its time (${LATE} s after a start 19 s before it)"
record 1 "$WORK/once-start.raw"
shot notice
sleep 1.2
record 1 "$WORK/once-end.raw"
loud "$WORK/once-start.raw" || fail "no sound while the notice is up (rms $(rms "$WORK/once-start.raw"))"
silent "$WORK/once-end.raw" || fail "the sound went on without persistent sound (rms $(rms "$WORK/once-end.raw"))"
pass "the alarm sound plays once"
press_done "^One off alarm for "
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^One off alarm for ' >/dev/null" ||
    fail "Done did not close the notice" # what Done does to the file: desktop_e2e.sh
stop_program "$PID"

# --- started after a daily alarm's time: the catch-up notice, persistent sound, Done
settings Sound=1 SoundFile=alarm.wav "Persistent Sound=1" Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "1,2026-01-10T08:00:00,1,0,Daily stand-up" || fail "could not write the test alarms"
start_program_at "2026-03-01 12:00:00"
PID=$LAST
wait_for 25 sh -c "xdotool search --onlyvisible --name '^Daily alarm for ' >/dev/null" ||
    fail "no catch-up notice for a daily alarm whose time had passed"
pass "a start after a daily alarm's time shows the catch-up notice"
shot catch-up-notice
sleep 2.5
record 1 "$WORK/persistent.raw"
loud "$WORK/persistent.raw" || fail "persistent sound stopped before Done (rms $(rms "$WORK/persistent.raw"))"
pass "persistent sound still plays past the sound's length"
press_done "^Daily alarm for "
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Daily alarm for ' >/dev/null" ||
    fail "Done did not close the notice"
sleep 0.5
record 1 "$WORK/after-done.raw"
silent "$WORK/after-done.raw" || fail "sound after Done (rms $(rms "$WORK/after-done.raw"))"
pass "Done stops the sound"
stop_program "$PID"

# --- the sound file is missing: the built-in sound plays (shorter than alarm.wav)
settings Sound=1 SoundFile=no-such-sound.wav "Persistent Sound=0" Snooze=1 SnoozeMin=5
start_program_at "2026-03-01 12:00:00"
PID=$LAST
wait_for 25 sh -c "xdotool search --onlyvisible --name '^Daily alarm for ' >/dev/null" ||
    fail "no catch-up notice on the third start"
record 0.5 "$WORK/default-start.raw"
sleep 0.5
record 1 "$WORK/default-end.raw"
loud "$WORK/default-start.raw" || fail "silence with a missing sound file (rms $(rms "$WORK/default-start.raw"))"
silent "$WORK/default-end.raw" || fail "the sound is longer than the built-in one (rms $(rms "$WORK/default-end.raw"))"
pass "with the sound file missing the built-in sound plays"
stop_program "$PID"

# --- the clock jumps forward across an alarm, as after a suspend: it rings at once
settings Sound=0 Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "1,2026-01-10T09:00:00,0,1,Stretch after the break" || fail "could not write the test alarm"
start_program_at "2026-03-01 08:58:30"
PID=$LAST
wait_for 15 has_icon || fail "no tray icon"
sleep 12 # past the first check, which catches up on what passed before the start
has_titled '^Daily alarm for ' && fail "the alarm rang before its time"
set_clock "2026-03-01 09:30:00"
wait_for 25 has_titled '^Daily alarm for ' || fail "the alarm the clock jumped over did not ring"
pass "an alarm the clock jumped over (08:58 to 09:30) rings at the next check"
press_done "^Daily alarm for "
stop_program "$PID"

# --- pictures of the alarms window and of a notice, as a user sees them
settings Sound=0 Snooze=1 SnoozeMin=10
"$TOOL" write "$DATA" "1,2026-01-05T12:15:00,0,1,Stand-up meeting in room 4" \
    "2,2026-01-09T17:30:00,0,1,Put the bins out" "3,2026-01-28T10:00:00,0,1,Pay the rent" \
    "4,2025-06-14T08:00:00,0,1,Mother's birthday: call before work" \
    "0,2026-03-01T11:30:00,0,1,Leave for the dentist (bring the insurance card)" ||
    fail "could not write the alarms for the pictures"
start_program_at "2026-03-01 11:29:45"
PID=$LAST
wait_for 15 has_icon || fail "no tray icon"
xdotool mousemove --window "$(icon_window)" 10 10 click 1
wait_for 10 has_question || fail "no alarms window"
sleep 0.5
window_shot alarms-window "$(question_window)"
wait_for 30 sh -c "xdotool search --onlyvisible --name '^One off alarm for ' >/dev/null" ||
    fail "the one-off alarm for the pictures did not ring"
sleep 0.5
window_shot notice "$(titled '^One off alarm for ')"
pass "pictures of the alarms window and of a notice taken"
stop_program "$PID"
echo "end-to-end run complete"
