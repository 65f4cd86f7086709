#!/usr/bin/env bash
# cmake --install into a folder the user owns, as the README says, then a first start
# of the installed program as a new user would make it: through its desktop launcher.
# The alarm file must appear in the installed program's folder.
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
[ -f "$PREFIX/lib/tockwell/Tockwell.alarms" ] || fail "no alarm file in the installed program's folder"
shot installed
kill -TERM "$PID"
wait_for 10 gone "$PID" || fail "SIGTERM did not end the installed program"
pass "the installed program starts from its launcher and keeps its alarms in its folder"
echo "end-to-end run complete"
