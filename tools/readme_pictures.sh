#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes pictures of the program's windows with the desktop's title bars: the alarms
# window, the add dialog, the options dialog and three notices (short, middle, 600
# characters), from the program built in BUILD_FOLDER (default: build), under a virtual
# X server with the clock set by faketime.
#   tools/readme_pictures.sh [BUILD_FOLDER [DESKTOP [SETTING]]]
# DESKTOP: xfce (default) or gnome-x11. SETTING: default; 12pt, a 12-point desktop font
# (Qt's KDE theme reads it); 2x, QT_SCALE_FACTOR=2 on a 2560 x 1600 screen. The README's
# pictures (xfce, default) go to docs/screenshots/, the others to BUILD_FOLDER/pictures/.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-$HERE/../build}" && pwd)
DESKTOP=${2:-xfce} SETTING=${3:-default}
PROGRAM=$BUILD/bin/tockwell TOOL=$HERE/../tests/e2e/alarmfile.py PICS=$HERE/../docs/screenshots
[ "$DESKTOP-$SETTING" = xfce-default ] || PICS=$BUILD/pictures/$DESKTOP-$SETTING
OUT=$(mktemp -d) # the harness's own screenshots, if it fails
SCREEN=1280x1024 # room for the windows at a larger font
[ "$SETTING" = 2x ] && SCREEN=2560x1600
source "$HERE/../tests/e2e/lib.sh"
mkdir -p "$PICS"
case $SETTING in
12pt) export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
    printf '[General]\nfont=DejaVu Sans,12,-1,5,50,0,0,0,0,0\n' >"$XDG_CONFIG_HOME/kdeglobals" ;;
2x) export QT_SCALE_FACTOR=2 ;;
esac

# The window $1 with its frame, as the screen shows it, into $2.png.
picture() {
    local w=$1 root parent
    root=$(xwininfo -root | awk '/Window id/ {print $4}')
    while parent=$(xwininfo -id "$w" -tree | awk '/Parent window id/ {print $4}') &&
        [ "$parent" != "$root" ]; do
        w=$parent
    done
    sleep 0.5
    eval "$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
        /Width:/ {print "width=" $2} /Height:/ {print "height=" $2}')"
    import -window root -crop "${width}x${height}+$x+$y" +repage "$PICS/$2.png"
}
settings Sound=0 Snooze=1 SnoozeMin=10
LONG=$(printf 'Renew the passport before the trip. %.0s' {1..17} | cut -c1-600)
"$TOOL" write "$DATA" "1,2026-01-05T12:15:00,0,1,Stand-up meeting in room 4" \
    "2,2026-01-09T17:30:00,0,1,Put the bins out" "3,2026-01-28T10:00:00,0,1,Pay the rent" \
    "4,2025-06-14T08:00:00,0,1,Mother's birthday: call before work" \
    "0,2026-03-01T11:30:00,0,1,Call the vet" \
    "0,2026-03-01T11:31:00,0,1,Leave for the dentist (bring the insurance card)" \
    "0,2026-03-01T11:32:00,0,1,$LONG" || fail "could not write the alarms"
start_program_at "2026-03-01 11:29:30"
FIRST=$LAST
wait_for 15 has_item || fail "no tray icon"
[ "$DESKTOP" = xfce ] && click_bell 1 || click_bell 1 2 # GNOME's extension: a double click
wait_for 10 has_titled '^Tockwell$' || fail "no alarms window"
ALARMS=$(titled '^Tockwell$')
picture "$ALARMS" alarms-window
key_to "$ALARMS" alt+a
wait_for 10 sh -c "[ \$(xdotool search --onlyvisible --name '^Tockwell\$' | wc -l) = 2 ]" || fail "no add dialog"
ADD=$(xdotool search --onlyvisible --name '^Tockwell$' | grep -vx "$ALARMS" | head -1)
xdotool type --window "$ADD" --delay 10 "Water the plants"
picture "$ADD" add-dialog
key_to "$ADD" Escape
xdotool mousemove --window "$ALARMS" 3 3 click 3 # the margin: the bell's menu
sleep 0.5 && press o
wait_for 10 has_titled '^Tockwell Options$' || fail "no options dialog"
picture "$(titled '^Tockwell Options$')" options
key_to "$(titled '^Tockwell Options$')" Escape
key_to "$ALARMS" alt+c
for notice in short:11:30:01 notice:11:31:01 long:11:32:01; do
    set_clock "2026-03-01 ${notice#*:}"
    wait_for 30 has_titled "^One off alarm for " || fail "the one-off alarm did not ring"
    picture "$(titled '^One off alarm for ')" "${notice%%:*}"
    key_to "$(titled '^One off alarm for ')" Return
    wait_for 5 not has_titled '^One off alarm for ' || fail "Done did not close the notice"
done
stop_program "$FIRST"
echo "pictures written to $PICS"
