#!/usr/bin/env bash
# The real program on desktops that speak StatusNotifierItem over D-Bus, read through
# AT-SPI as a screen reader does:
#   1. xfce4-panel and xfwm4: the bell registers and exports its menu; a right click on
#      the bell shows that menu, and Exit program asks (No keeps it, Yes ends and
#      saves); a left click opens the alarms window; a one-off rings above a focused
#      full-screen xterm, takes the focus and Enter answers Done.
#   2. no tray at first: the alarms window comes by itself, and again on a second
#      start; the add dialog's spins have names; then xfce4-panel comes, and restarts:
#      the bell registers both times.
#   desktop_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER
set -uo pipefail
PROGRAM=$1 TOOL=$2 OUT=$3 DESKTOP=xfce
source "$(dirname "$0")/lib.sh"

# The exported menu holds the six entries, greyed where they should be, F1 on Help.
check_menu() {
    local menu
    menu=$(desktop menu) || fail "no exported menu: $(watcher_get RegisteredStatusNotifierItems)"
    [ "$(echo "$menu" | tail -n +2 | tr '\n' ';')" = \
        '_About Tockwell...|enabled|;_Alarms Window|enabled|;_Help|enabled|F1;_Options|enabled|;-;E_xit program|enabled|;' ] ||
        fail "the exported menu is not Tockwell's: $menu"
}
alarms_window() { has_widget "^push button 'Close window' enabled"; }
no_alarms_window() { ! alarms_window; }
question() { has_widget "^label 'Close Tockwell? No more alarms will be shown until you restart'"; }
no_question() { ! question; }
# Right click on the bell, then E&xit program from the panel's menu, answered with $1.
exit_via_bell() {
    click_bell 3
    sleep 0.5
    shot bell-menu
    xdotool key x
    wait_for 10 question || fail "no exit question from the bell's menu"
    xdotool key "$1" keyup "$1"
    wait_for 5 no_question || fail "the exit question did not close"
}
# --- 1. xfce4-panel: menu, exit question, alarms window, the notice over a full screen
settings Sound=0 Snooze=1 SnoozeMin=5
"$TOOL" write "$DATA" "0,2026-03-01T08:00:00,0,1,Call back" "1,2026-01-01T23:59:59,1,0,daily rung" ||
    fail "could not write the test alarms"
start_program_at "2026-03-01 07:59:15"
PID=$LAST
wait_for 15 has_item || fail "the bell did not register with xfce4-panel"
check_menu
pass "the bell registers as a StatusNotifierItem and exports the six entries, F1 on Help"

exit_via_bell n
sleep 0.5
alive "$PID" || fail "the program ended after No"
pass "the bell's menu on a right click: Exit program answered No keeps the program running"

click_bell 1
wait_for 10 alarms_window || fail "a left click did not open the alarms window"
widgets | grep -q "^row .* | One off \* | Call back" || fail "the alarms window does not list the alarm: $(widgets)"
shot alarms-window
xdotool key alt+c
wait_for 5 no_alarms_window || fail "Close window did not close the alarms window"
pass "a left click opens the alarms window"

xterm -fullscreen -title fullscreen-xterm &
XTERM=$!
PIDS+=("$XTERM")
wait_for 10 has_titled '^fullscreen-xterm$' || fail "no xterm"
xdotool windowactivate --sync "$(titled '^fullscreen-xterm$')"
wait_for 60 has_titled '^One off alarm for ' || fail "the one-off alarm did not ring"
NOTICE=$(titled '^One off alarm for ')
sleep 0.5
shot notice-over-fullscreen
xprop -id "$NOTICE" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the notice is not kept above"
[ "$(xdotool getactivewindow)" = "$NOTICE" ] || fail "the notice did not take the focus"
[ "$(($(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')))" = "$NOTICE" ] || fail "the notice is not the top window"
# A short message: 98 pixels high with the title bar and frame (fitted once the window
# manager's frame is known).
framed_height() { xwininfo -id "$(xwininfo -id "$NOTICE" -tree | awk '/Parent window id/ {print $4}')" | awk '/Height:/ {print $2}'; }
notice_fitted() { [ "$(framed_height)" = 98 ]; }
wait_for 5 notice_fitted || fail "the notice is $(framed_height) pixels high with its frame, not 98"
xdotool key Return
wait_for 5 sh -c '! xdotool search --onlyvisible --name "^One off alarm for " | grep -q .' || fail "Enter did not answer the notice"
wait_for 15 sh -c "! '$TOOL' dump '$DATA' | grep -q 'Call back'" || fail "Done did not reach the data file"
pass "a one-off rings above a focused full-screen window, takes the focus, Enter answers Done"
kill "$XTERM" # it covers the panel

exit_via_bell y
wait_for 10 gone "$PID" || fail "the program did not end after Yes"
"$TOOL" dump "$DATA" | grep -qx '1 0 0 daily rung' || fail "the alarms were not saved at exit"
pass "Exit program answered Yes ends the program and saves"
stop_desktop

# --- 2. no tray at first: the alarms window is the way in; then a panel, late and restarted
start_desktop none
start_program
PID=$LAST
wait_for 20 alarms_window || fail "no alarms window without a tray"
shot no-tray
xdotool key alt+c
wait_for 5 no_alarms_window || fail "Close window did not close the alarms window"
start_program
wait_for 10 gone "$LAST" || fail "the second copy keeps running"
wait_for 10 alarms_window || fail "a second start did not show the alarms window"
alive "$PID" || fail "the first copy ended"
pass "without a tray the alarms window comes by itself, and again at a second start"
xdotool key alt+a # Add: a screen reader names the spins and their arrows
wait_for 10 has_widget "^spin button 'Weekday'" || fail "the add dialog's spins have no names: $(widgets)"
has_widget "^push button 'Day up'" || fail "the spins' arrows have no names: $(widgets)"
xdotool key Escape
start_panel
wait_for 15 has_item || fail "the bell did not register with a panel that came late"
check_menu
kill "$PANEL"
wait_for 10 gone "$PANEL"
start_panel
wait_for 15 has_item || fail "the bell did not register again after the panel restarted"
check_menu
pass "a panel that comes late gets the bell and its menu, and again after it restarts"
stop_program "$PID"
echo "end-to-end run complete"
