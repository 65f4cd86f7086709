#!/usr/bin/env bash
# The real program with its folder and its settings on a full disc (a small tmpfs,
# filled): Done, Add, Delete, options OK, back up, restore, Exit and SIGTERM all fail to
# write. Each failure shows its box, the program runs on (and at the end exits with
# status 0 after its box), and the data file always holds the list last saved.
#   fulldisc_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
# Mounting needs root, or a mount namespace of our own (where user namespaces work).
can_mount() {
    local d rc
    d=$(mktemp -d)
    mount -t tmpfs -o size=64k tmpfs "$d" 2>/dev/null && umount "$d"
    rc=$?
    rmdir "$d"
    return $rc
}
if ! can_mount; then
    [ -z "${IN_NAMESPACE:-}" ] && unshare --user --map-root-user --mount true 2>/dev/null ||
        { echo "skipped: mounting a tmpfs needs root or user namespaces"; exit 77; }
    IN_NAMESPACE=1 exec unshare --user --map-root-user --mount bash "$0" "$@"
fi
PROGRAM=$1
TOOL=$2
OUT=$3
source "$(dirname "$0")/lib.sh"

# The program folder becomes a tmpfs with room for what it holds now and a little more.
cp -a "$WORK/prog" "$WORK/prog.orig"
mount -t tmpfs -o size=$(($(du -sk "$WORK/prog" | cut -f1) + 1024))k tmpfs "$WORK/prog" ||
    fail "could not mount a tmpfs"
trap 'umount -l "$WORK/prog" 2>/dev/null; cleanup' EXIT
cp -a "$WORK/prog.orig/." "$WORK/prog/"
export XDG_CONFIG_HOME="$WORK/prog/config"
mkdir -p "$XDG_CONFIG_HOME/Ostrand"

settings Sound=0 Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "1,2026-01-10T23:00:00,0,1,Kept through it all" \
    "0,2026-03-01T09:00:00,0,1,Rings on a full disc" || fail "could not write the test alarms"
mkdir "$WORK/backup"
"$TOOL" write "$WORK/backup/Tockwell.alarms" "1,2026-01-10T22:00:00,0,1,From the back-up" ||
    fail "could not write the back-up"
cp "$WORK/backup/Tockwell.alarms" "$WORK/prog/Tockwell.backup"
cp "$DATA" "$WORK/good"
cat /dev/zero >"$WORK/prog/filler" 2>/dev/null
[ "$(df --output=avail -k "$WORK/prog" | tail -1)" -eq 0 ] || fail "the disc is not full"

unchanged() {
    cmp -s "$DATA" "$WORK/good" || fail "the data file changed: $("$TOOL" dump "$DATA")"
}
tockwell_windows() { xdotool search --onlyvisible --name '^Tockwell$' 2>/dev/null | sort; }
new_window() { comm -13 <(echo "$1") <(tockwell_windows) | head -1; }
has_new_window() { [ -n "$(new_window "$1")" ]; }
# Runs the action after $1, then expects a new box whose logged text matches $1, and
# closes it with Enter (after HOLD seconds). "again" for an action: a second box after
# the last one.
expect_box() {
    local pattern=$1 box
    shift
    if [ "$1" != again ]; then
        BEFORE=$(tockwell_windows)
        LOGGED=$(wc -l <"$WORK/program.log")
    fi
    "$@"
    wait_for 15 has_new_window "$BEFORE" || fail "no box after: $*"
    box=$(new_window "$BEFORE")
    sleep "${HOLD:-0.3}"
    window_shot "box-$((++BOXES))" "$box"
    grep -q -- "$pattern" <<<"$(tail -n +$((LOGGED + 1)) "$WORK/program.log")" ||
        fail "not the box expected ($pattern): $(tail -n +$((LOGGED + 1)) "$WORK/program.log")"
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool key --window "$box" Return
    xdotool keyup Return
    wait_for 5 sh -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" ||
        fail "the box did not close"
}
BOXES=0
SAVE='The alarms could not be saved to .*No space left on device'

# --- Done on a notice: the answer and the clean-up pass after it cannot be saved
start_program_at "2026-03-01 08:59:52"
PID=$LAST
wait_for 15 has_icon || fail "no tray icon"
wait_for 25 has_titled '^One off alarm for ' || fail "the alarm did not ring"
expect_box "$SAVE" press '^One off alarm for ' Return
expect_box "$SAVE" again
unchanged
alive "$PID" || fail "the program ended"
pass "Done: both failed saves are shown, the file keeps the last list"

# --- Add and Delete in the alarms window
xdotool mousemove --window "$(icon_window)" 10 10 click 1
wait_for 10 has_titled '^Tockwell$' || fail "no alarms window"
STAT=$(titled '^Tockwell$')
before=$(tockwell_windows)
click_in "$STAT" 58 34 # Add
wait_for 10 has_new_window "$before" || fail "Add did not open the add-alarm dialog"
ADD=$(new_window "$before")
xdotool windowfocus --sync "$ADD" 2>/dev/null
xdotool type --delay 20 "Never written"
expect_box "$SAVE" click_in "$ADD" 491 304
unchanged
click_in "$ADD" 587 304 # Cancel
click_in "$STAT" 88 90  # the first row
expect_box "$SAVE" click_in "$STAT" 160 34
unchanged
click_in "$STAT" 364 34 # Close window
alive "$PID" || fail "the program ended"
pass "Add and Delete: each failed save is shown, the file keeps the last list"

# --- options OK, back up and restore
menu o
wait_for 10 has_titled '^Tockwell Options$' || fail "no options dialog"
expect_box "Failed to set data for" press '^Tockwell Options$' Return
back_up() {
    press '^Tockwell Options$' alt+b
    wait_for 10 has_titled '^Tockwell - Back Up To$' || fail "no back-up window"
    press '^Tockwell - Back Up To$' alt+b
}
expect_box "couldn't copy file" back_up
press '^Tockwell Options$' alt+r
wait_for 10 has_titled '^Tockwell - Restore From$' || fail "no restore window"
before=$(tockwell_windows)
press '^Tockwell - Restore From$' alt+r
wait_for 10 has_new_window "$before" || fail "no question before the restore"
expect_box "file copy operation failed" press '^Tockwell$' Return
unchanged
alive "$PID" || fail "the program ended"
press '^Tockwell - Restore From$' alt+c
press '^Tockwell Options$' alt+c
wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Tockwell ' >/dev/null" ||
    fail "the options and restore windows did not close"
pass "options OK, back up and restore: each failure is shown, the file keeps the last list"

# --- Exit: the final save fails, its box (left open for more than one check), then
# the end with status 0
menu x
wait_for 10 has_question || fail "no question at Exit"
HOLD=12 expect_box "$SAVE" press '^Tockwell$' Return
wait "$PID"
STATUS=$?
[ "$STATUS" -eq 0 ] || fail "the program ended with status $STATUS"
unchanged
pass "Exit on a full disc: the box, then exit status 0 and the last list in the file"

# --- SIGTERM: the same
start_program_at "2026-03-01 08:00:00"
PID=$LAST
wait_for 15 has_icon || fail "no tray icon"
sleep 11 # the first check, with its clean-up pass, rings nothing
expect_box "$SAVE" kill -TERM "$PID"
wait "$PID"
STATUS=$?
[ "$STATUS" -eq 0 ] || fail "the program ended with status $STATUS after SIGTERM"
unchanged
pass "SIGTERM on a full disc: the box, then exit status 0 and the last list in the file"
echo "end-to-end run complete"
