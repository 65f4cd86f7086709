#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's pictures of the alarms window and of a notice from the program
# built in BUILD_FOLDER (default: build), under a virtual X server with trayer and the
# clock set by faketime, into docs/screenshots/.
#   tools/readme_pictures.sh [BUILD_FOLDER]
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-$HERE/../build}" && pwd)
PROGRAM=$BUILD/bin/tockwell TOOL=$BUILD/tests/alarmfile PICS=$HERE/../docs/screenshots
OUT=$(mktemp -d) # the harness's own screenshots, if it fails
source "$HERE/../tests/e2e/lib.sh"
settings Sound=0 Snooze=1 SnoozeMin=10
"$TOOL" write "$DATA" "1,2026-01-05T12:15:00,0,1,Stand-up meeting in room 4" \
    "2,2026-01-09T17:30:00,0,1,Put the bins out" "3,2026-01-28T10:00:00,0,1,Pay the rent" \
    "4,2025-06-14T08:00:00,0,1,Mother's birthday: call before work" \
    "0,2026-03-01T11:30:00,0,1,Leave for the dentist (bring the insurance card)" ||
    fail "could not write the alarms"
start_program_at "2026-03-01 11:29:45"
wait_for 15 has_icon || fail "no tray icon"
xdotool mousemove --window "$(icon_window)" 10 10 click 1
wait_for 10 has_window 860 || fail "no alarms window"
sleep 0.5
import -window "$(window_of_width 860)" "$PICS/alarms-window.png"
wait_for 30 has_titled '^One off alarm for ' || fail "the one-off alarm did not ring"
sleep 0.5
import -window "$(titled '^One off alarm for ')" "$PICS/notice.png"
stop_program "$LAST"
echo "pictures written to $PICS"
