#!/usr/bin/env bash
# cmake --install into a folder the user owns, as the README says, then a first start
# of the installed program as a new user would make it: through its desktop launcher.
# The alarm file must appear in the user's data folder, not in the program's; a program
# folder that already holds alarms (a portable copy) keeps them there.
#   install_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER (the build folder holds OUTPUT_FOLDER)
set -uo pipefail
PROGRAM=$1
TOOL=$2
OUT=$3
BUILD=$(dirname "$OUT")
source "$(dirname "$0")/lib.sh"

PREFIX="$WORK/home/.local"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "cmake --install failed"; }
for f in lib/tockwell/tockwell lib/tockwell/libtockwell_sound.so lib/tockwell/alarm.wav share/applications/tockwell.desktop \
    share/icons/hicolor/32x32/apps/tockwell.xpm; do
    [ -s "$PREFIX/$f" ] || fail "the installation lacks $f"
done
[ "$(readlink -f "$PREFIX/bin/tockwell")" = "$PREFIX/lib/tockwell/tockwell" ] ||
    fail "bin/tockwell does not lead to the program"
cmp -s "$PREFIX/lib/tockwell/tockwell" "$PROGRAM" || fail "the installed program is not the one built"
LAUNCHER="$PREFIX/share/applications/tockwell.desktop"
desktop-file-validate "$LAUNCHER" || fail "the launcher does not validate"
EXEC=$(sed -n 's/^Exec=//p' "$LAUNCHER")
[ "$EXEC" = "$PREFIX/lib/tockwell/tockwell" ] || fail "the launcher starts $EXEC"
pass "cmake --install lays out the program folder, bin/tockwell and a valid launcher"

# The first start, as the launcher makes it.
"$EXEC" >>"$WORK/program.log" 2>&1 &
PID=$!
PIDS+=("$PID")
wait_for 15 has_question || fail "no first-start message"
sleep 0.3
grep -q "A new, empty file has been created" "$WORK/program.log" || fail "not the first-start message"
xdotool windowfocus --sync "$(question_window)" 2>/dev/null
xdotool key --window "$(question_window)" Return
xdotool keyup Return
wait_for 15 has_icon || fail "no tray icon from the installed program"
USER_DATA="$XDG_DATA_HOME/Ostrand/Tockwell/Tockwell.alarms"
[ -f "$USER_DATA" ] || fail "no alarm file in the user's data folder"
[ -e "$PREFIX/lib/tockwell/Tockwell.alarms" ] && fail "an alarm file in the installed program's folder"
shot installed
kill -TERM "$PID"
wait_for 10 gone "$PID" || fail "SIGTERM did not end the installed program"
pass "the installed program starts from its launcher and keeps its alarms in the user's data folder"

# A program folder that holds alarms (a portable copy) is used as it is.
"$TOOL" write "$PREFIX/lib/tockwell/Tockwell.alarms" "1,2026-01-10T09:00:00,0,0,Kept where it was" ||
    fail "could not write the portable alarms"
"$EXEC" >>"$WORK/program.log" 2>&1 &
PID=$!
PIDS+=("$PID")
wait_for 15 has_icon || fail "no tray icon from the portable program"
has_question && fail "a message on a start with alarms: $(tail -1 "$WORK/program.log")"
kill -TERM "$PID"
wait_for 10 gone "$PID" || fail "SIGTERM did not end the portable program"
"$TOOL" dump "$PREFIX/lib/tockwell/Tockwell.alarms" | grep -qx '1 0 0 Kept where it was' ||
    fail "the portable alarms were not kept in the program's folder"
[ -s "$USER_DATA" ] && fail "the portable run wrote into the user's data folder"
pass "a program folder holding alarms keeps them there, the user's data folder untouched"
echo "end-to-end run complete"
