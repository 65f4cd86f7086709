#!/usr/bin/env bash
# Shared by the end-to-end scripts: a virtual X server with a desktop (DESKTOP: trayer,
# xfce or none), private program and settings folders, waiting, screenshots, clean-up
# (by PID). Set OUT, PROGRAM and TOOL (the alarmfile tool) before sourcing.
mkdir -p "$OUT"
rm -f "$OUT"/*.png
WORK=$(mktemp -d)
PIDS=()
STEP=0
cleanup() { kill -9 "${PIDS[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$WORK"; }
trap cleanup EXIT
shot() { STEP=$((STEP + 1)); import -window root "$OUT/$(printf '%02d' $STEP)-$1.png" 2>/dev/null || true; }
fail() {
    echo "FAIL: $*"
    shot failed
    echo "--- windows at ${SECONDS} s"
    xwininfo -root -tree 2>/dev/null | grep -i tockwell
    [ "${DBUS_SESSION_BUS_ADDRESS:-disabled:}" != disabled: ] && { echo "--- widgets"; widgets; }
    for log in "$WORK"/*.log; do echo "--- $(basename "$log")" && tail -20 "$log"; done
    [ -n "${TOOL:-}" ] && { echo "--- data file"; "$TOOL" dump "$DATA" 2>&1; }
    exit 1
}
pass() { echo "ok: $*"; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() { local end=$((SECONDS + $1)); shift; until "$@"; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done; }
alive() { [ -e "/proc/$1/status" ] && ! grep -qs '^State:.*Z' "/proc/$1/status"; }
gone() { ! alive "$1"; }

# The tray icons of every running copy: children of trayer's panel window.
icons() { xwininfo -root -tree 2>/dev/null | awk '/"panel"/ {p = 1; next} p && /"Tockwell": \("tockwell"/ {print $1}'; }
icon_window() { icons | head -1; }
has_icon() { [ -n "$(icons)" ]; }
icons_are() { [ "$(icons | wc -l)" -eq "$1" ]; }
# Drops the icons from a list of window ids.
not_icons() { grep -vxF -f <(for w in $(icons); do printf '%d\n' "$w"; done) || true; }
has_menu() { [ -n "$(xdotool search --onlyvisible --class tockwell 2>/dev/null | not_icons)" ]; }
question_window() { xdotool search --onlyvisible --name '^Tockwell$' 2>/dev/null | not_icons | head -1; }
has_question() { [ -n "$(question_window)" ]; }
no_question() { [ -z "$(question_window)" ]; }
# The first visible window whose title matches $1.
titled() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_titled() { [ -n "$(titled "$1")" ]; }
# The visible window titled "Tockwell" $1 pixels wide: 860 alarms window, 640 add dialog.
window_of_width() {
    for w in $(xdotool search --onlyvisible --name '^Tockwell$' 2>/dev/null); do
        xwininfo -id "$w" | grep -q "Width: $1\$" && echo "$w" && return 0
    done
    return 1
}
has_window() { window_of_width "$1" >/dev/null; }
no_window() { ! window_of_width "$1" >/dev/null; }
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# A key to the window $1 as a user types it (never left down for the next window).
key_to() { xdotool windowfocus --sync "$1" 2>/dev/null; xdotool key --window "$1" "$2"; xdotool keyup "$2"; }
# Adds a one-off alarm with the message $1 as a user does: a click on the icon opens the
# alarms window, Add, the message typed, the dialog's Add, Close window.
add_alarm() {
    xdotool mousemove --window "$(icon_window)" 10 10 click 1
    wait_for 10 has_window 860 || fail "a click on the icon did not open the alarms window"
    click_in "$(window_of_width 860)" 58 34 # Add
    wait_for 10 has_window 640 || fail "Add did not open the add-alarm dialog"
    xdotool windowfocus --sync "$(window_of_width 640)" 2>/dev/null
    xdotool type --delay 20 "$1"
    sleep 0.3
    shot add-dialog-typed
    click_in "$(window_of_width 640)" 491 304 # the dialog's Add
    wait_for 10 no_window 640 || fail "the add-alarm dialog stayed open after Add"
    click_in "$(window_of_width 860)" 364 34 # Close window
    wait_for 10 no_window 860 || fail "Close window did not close the alarms window"
}
# Ends the program $1 as the desktop does at logout: SIGTERM, then its own shutdown.
stop_program() { kill -TERM "$1"; wait_for 20 gone "$1" || fail "SIGTERM did not end the program"; }
# The open message box's text as the program logs it into $1; then Enter closes it.
box_text() {
    sleep 0.3
    tail -1 "$1"
    key_to "$(question_window)" Return
    wait_for 5 no_question || fail "the message box did not close"
}
# The key $1 in the icon's menu. A right click just as a dialog has closed is now and
# then lost: up to three clicks, 2 s apart.
menu() {
    local try
    for try in 1 2 3; do
        xdotool mousemove --window "$(icon_window)" 10 10 click 3
        wait_for 2 has_menu && break
        [ "$try" -eq 3 ] && fail "no menu after three right clicks"
        echo "note: right click $try opened no menu"
    done
    xdotool key "$1" keyup "$1"
}

# Starts the program (after the command $@, if any); its PID in LAST.
start_program() {
    "$@" "$WORK/prog/tockwell" >>"$WORK/program.log" 2>&1 &
    LAST=$!
    PIDS+=("$LAST")
}
# The program with its clock at $1 ("2026-03-01 07:59:40") at the start, running on at
# the real rate; set_clock sets it anew, as a suspend does (read within 1 s).
start_program_at() {
    set_clock "$1"
    start_program env LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 \
        FAKETIME_TIMESTAMP_FILE="$WORK/clock" FAKETIME_CACHE_DURATION=1 FAKETIME_DONT_FAKE_MONOTONIC=1
}
set_clock() { echo "@$1" >"$WORK/clock"; }

# --- a program folder and a settings folder of their own
export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" XDG_DATA_HOME="$WORK/data"
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
mkdir -p "$XDG_CONFIG_HOME/Ostrand" "$XDG_RUNTIME_DIR" "$WORK/prog"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$PROGRAM" "$(dirname "$PROGRAM")"/{libtockwell_sound.so,alarm.wav} "$WORK/prog/"
DATA="$WORK/prog/Tockwell.alarms"
# The settings file, one value an argument: settings Sound=1 "Persistent Sound=0"
settings() { printf '%s\n' '[Tockwell]' "$@" >"$XDG_CONFIG_HOME/Ostrand/Tockwell.ini"; }

# --- a virtual X server and a desktop on it
exec 6>"$WORK/display"
# -noreset: a desktop that stops while no client is connected must not reset the server.
Xvfb -displayfd 6 -screen 0 1024x600x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$WORK/display")"
# No key repeat: a key still held when one program ends must not press the next one's buttons.
xset r off
# Starts $@ in the background as part of the desktop, its output in $WORK/$1.log.
desk() { "$@" >>"$WORK/$(basename "$1").log" 2>&1 & PIDS+=($!) DESK_PIDS+=($!); }
start_tray() {
    desk trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel \
        --height 32 --transparent false
    TRAY=$!
    wait_for 10 sh -c 'xwininfo -root -tree | grep -q "\"panel\""' || fail "trayer did not start"
}
# A property of the session's StatusNotifierWatcher, as dbus-send prints it.
watcher_get() {
    dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}
host_registered() { grep -q true <<<"$(watcher_get IsStatusNotifierHostRegistered)"; }
# xfce4-panel with one top panel: a separator that fills it, the tray at its right end.
# It owns the StatusNotifierWatcher (and the XEmbed selection too).
start_panel() {
    mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
    cp "$(dirname "${BASH_SOURCE[0]}")/xfce4-panel.xml" "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/"
    desk xfce4-panel
    PANEL=$!
    wait_for 15 host_registered || fail "xfce4-panel did not start"
}
# trayer: XEmbed, no D-Bus, no window manager. xfce: a private session bus (AT-SPI reads
# the widgets on it), xfwm4 and xfce4-panel. none: the bus and xfwm4, no tray at all.
start_desktop() {
    DESK_PIDS=()
    if [ "$1" = trayer ]; then
        # "disabled:" keeps D-Bus from starting a bus of its own on the display.
        export DBUS_SESSION_BUS_ADDRESS=disabled:
        start_tray
        return
    fi
    eval "$(dbus-launch --sh-syntax)"
    export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    PIDS+=("$DBUS_SESSION_BUS_PID")
    DESK_PIDS+=("$DBUS_SESSION_BUS_PID")
    desk xfwm4 --compositor=off
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "xfwm4 did not start"
    [ "$1" = xfce ] && start_panel
}
stop_desktop() {
    kill "${DESK_PIDS[@]}" 2>/dev/null
    for p in "${DESK_PIDS[@]}"; do wait_for 10 gone "$p"; done
    # The next window manager is known to be up by this property: a killed one leaves it.
    xprop -root -remove _NET_SUPPORTING_WM_CHECK
    unset DBUS_SESSION_BUS_ADDRESS
}
start_desktop "${DESKTOP:-trayer}"

# --- on a StatusNotifierItem desktop
desktop() { timeout 20 /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/desktop.py" "$@"; }
# A StatusNotifierItem is registered with the session's watcher.
has_item() { grep -q StatusNotifierItem <<<"$(watcher_get RegisteredStatusNotifierItems)"; }
# What a screen reader reads of the program now; has_widget: a line matches $1.
widgets() { desktop widgets Tockwell 2>/dev/null; }
has_widget() { grep -q -- "$1" <<<"$(widgets)"; }
# xfce4-panel draws the bell at its right end.
click_bell() { xdotool mousemove 1012 16 click "$1"; }
