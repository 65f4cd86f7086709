#!/usr/bin/env bash
# Shared by the end-to-end scripts: a virtual X server with trayer as tray host, a
# private program folder and settings folder, waiting, screenshots and clean-up. Every
# process started here is ended by its PID. Set OUT and PROGRAM before sourcing.
mkdir -p "$OUT"
rm -f "$OUT"/*.png
WORK=$(mktemp -d)
PIDS=()
STEP=0

cleanup() {
    for p in "${PIDS[@]}"; do kill -9 "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

shot() {
    STEP=$((STEP + 1))
    import -window root "$OUT/$(printf '%02d' $STEP)-$1.png" 2>/dev/null || true
}
# A picture of one window alone: window_shot NAME WINDOW_ID
window_shot() { import -window "$2" "$OUT/window-$1.png" 2>/dev/null || true; }
fail() {
    echo "FAIL: $*"
    shot failed
    echo "--- windows at ${SECONDS} s"; xwininfo -root -tree 2>/dev/null | grep -i tockwell
    xdotool search --onlyvisible --class tockwell 2>&1 | head -5
    if [ "${DBUS_SESSION_BUS_ADDRESS:-disabled:}" != disabled: ]; then
        echo "--- widgets"; widgets
    fi
    for log in "$WORK"/{trayer,xfwm4,panel}.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -5 "$log"; }
    done
    echo "--- program output"; cat "$WORK/program.log" 2>/dev/null
    if [ -n "${DATA:-}" ] && [ -n "${TOOL:-}" ]; then
        echo "--- data file"; "$TOOL" dump "$DATA" 2>&1
    fi
    exit 1
}
pass() { echo "ok: $*"; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local limit=$1; shift
    local end=$((SECONDS + limit))
    while ! "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.1
    done
}
alive() { [ -e "/proc/$1/status" ] && ! grep -qs '^State:.*Z' "/proc/$1/status"; }
gone() { ! alive "$1"; }

# The tray icons of the program: children of trayer's panel window.
icon_count() { xwininfo -root -tree 2>/dev/null | awk '/"panel"/ {p = 1; next} p && /"Tockwell": \("tockwell"/ {n++} END {print n + 0}'; }
icon_window() { xwininfo -root -tree 2>/dev/null | awk '/"panel"/ {p = 1; next} p && /"Tockwell": \("tockwell"/ {print $1; exit}'; }
has_icon() { [ "$(icon_count)" -ge 1 ]; }
# Visible top-level windows of the program other than the icon.
icons_are() { [ "$(icon_count)" -eq "$1" ]; }
# Drops the icons (of every running copy) from a list of window ids.
not_icons() {
    local w
    grep -vxF -f <(for w in $(xwininfo -root -tree 2>/dev/null |
        awk '/"panel"/ {p = 1; next} p && /"Tockwell": \("tockwell"/ {print $1}'); do printf '%d\n' "$w"; done) || true
}
visible_windows() { xdotool search --onlyvisible --class tockwell 2>/dev/null | not_icons; }
question_window() { xdotool search --onlyvisible --name '^Tockwell$' 2>/dev/null | not_icons | head -1; }
has_question() { [ -n "$(question_window)" ]; }
no_question() { [ -z "$(question_window)" ]; }
has_menu() { [ -n "$(visible_windows)" ]; }
# The first visible window whose title matches $1.
titled() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_titled() { [ -n "$(titled "$1")" ]; }
# The visible window titled "Tockwell" of a given width: 860 the alarms window, 640 the
# add-alarm dialog.
window_of_width() {
    local w
    for w in $(xdotool search --onlyvisible --name '^Tockwell$' 2>/dev/null); do
        xwininfo -id "$w" | grep -q "Width: $1\$" && { echo "$w"; return 0; }
    done
    return 1
}
has_window() { window_of_width "$1" >/dev/null; }
no_window() { ! window_of_width "$1" >/dev/null; }
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# Adds a one-off alarm with the message $1 as a user does: a click on the icon opens the
# alarms window (left open, its id in STAT), Add, the message typed, the dialog's Add.
add_alarm() {
    local add
    xdotool mousemove --window "$(icon_window)" 10 10 click 1
    wait_for 10 has_window 860 || fail "a click on the icon did not open the alarms window"
    STAT=$(window_of_width 860)
    click_in "$STAT" 58 34 # Add
    wait_for 10 has_window 640 || fail "Add did not open the add-alarm dialog"
    add=$(window_of_width 640)
    xdotool windowfocus --sync "$add" 2>/dev/null
    xdotool type --delay 20 "$1"
    sleep 0.3
    shot add-dialog-typed
    click_in "$add" 491 304 # the dialog's Add
    wait_for 10 no_window 640 || fail "the add-alarm dialog stayed open after Add"
}
# Ends the program $1 as the desktop does at logout: SIGTERM, then its own shutdown.
stop_program() {
    kill -TERM "$1"
    wait_for 20 gone "$1" || fail "SIGTERM did not end the program"
}
# Keys to the visible window titled $1 (a pattern), as a user types them there.
press() {
    local w
    w=$(titled "$1")
    [ -n "$w" ] || fail "no window titled $1 to press $2 in"
    xdotool windowfocus --sync "$w" 2>/dev/null
    xdotool key --window "$w" "$2"
    xdotool keyup "$2"
}
# The text of the message box now open, as the program logs it (into $1, the program's
# log unless given); then Enter closes it.
box_text() {
    local box
    box=$(question_window)
    sleep 0.3
    tail -1 "${1:-$WORK/program.log}"
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool key --window "$box" Return
    xdotool keyup Return
    wait_for 5 no_question || fail "the message box did not close"
}
# A right click on the icon just as a dialog has closed is now and then lost (the
# dialog is hidden, yet the click opens nothing): up to three clicks, 2 s apart.
menu() {
    local try
    for try in 1 2 3; do
        xdotool mousemove --window "$(icon_window)" 10 10 click 3
        wait_for 2 has_menu && break
        [ "$try" -eq 3 ] && fail "no menu after three right clicks"
        echo "note: right click $try opened no menu"
    done
    xdotool key "$1"
    xdotool keyup "$1"
}

start_program() {
    "$WORK/prog/tockwell" >>"$WORK/program.log" 2>&1 &
    LAST=$!
    PIDS+=("$LAST")
}

# The program as if the clock stood at $1 when it starts ("2026-03-01 07:59:40"); the
# clock then runs on at its real rate, and so do the timers. set_clock sets the clock
# of the running program anew, as a suspend or a clock change does (read within 1 s).
start_program_at() {
    set_clock "$1"
    LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 \
        FAKETIME_TIMESTAMP_FILE="$WORK/clock" FAKETIME_CACHE_DURATION=1 \
        FAKETIME_DONT_FAKE_MONOTONIC=1 "$WORK/prog/tockwell" >>"$WORK/program.log" 2>&1 &
    LAST=$!
    PIDS+=("$LAST")
}
set_clock() { echo "@$1" >"$WORK/clock"; }

# --- a program folder and a settings folder of their own
export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" XDG_DATA_HOME="$WORK/data"
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
mkdir -p "$XDG_CONFIG_HOME/Ostrand" "$XDG_RUNTIME_DIR" "$WORK/prog"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$PROGRAM" "$WORK/prog/tockwell"
cp "$(dirname "$PROGRAM")/libtockwell_sound.so" "$WORK/prog/"
DATA="$WORK/prog/Tockwell.alarms"
# The settings file, one value an argument: settings Sound=1 "Persistent Sound=0"
settings() {
    {
        echo '[Tockwell]'
        printf '%s\n' "$@"
    } >"$XDG_CONFIG_HOME/Ostrand/Tockwell.ini"
}

# --- a virtual X server and a desktop on it
exec 6>"$WORK/display"
# -noreset: a desktop that stops while no other client is connected must not reset
# the server under the next one.
Xvfb -displayfd 6 -screen 0 1024x600x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$WORK/display")"
# No key repeat: a key still held when one program ends must not go on pressing a
# button of the next one.
xset r off
start_tray() {
    trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel --height 32 \
        --transparent false >>"$WORK/trayer.log" 2>&1 &
    TRAY=$!
    PIDS+=("$TRAY")
    DESK_PIDS+=("$TRAY")
    wait_for 10 sh -c 'xwininfo -root -tree | grep -q "\"panel\""' || fail "trayer did not start"
}

# A private session bus, as a desktop session has one; the program's widgets are read
# through AT-SPI on it.
start_bus() {
    eval "$(dbus-launch --sh-syntax)"
    export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    PIDS+=("$DBUS_SESSION_BUS_PID")
    DESK_PIDS+=("$DBUS_SESSION_BUS_PID")
}
start_wm() {
    xfwm4 --compositor=off >>"$WORK/xfwm4.log" 2>&1 &
    PIDS+=($!)
    DESK_PIDS+=($!)
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "xfwm4 did not start"
}
# xfce4-panel with one top panel: a separator that fills it, the tray at its right end.
# It owns the StatusNotifierWatcher (and the XEmbed selection too).
start_panel() {
    local conf="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
    mkdir -p "$conf"
    cat >"$conf/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
        <value type="int" value="2"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="separator">
      <property name="expand" type="bool" value="true"/>
      <property name="style" type="uint" value="0"/>
    </property>
    <property name="plugin-2" type="string" value="systray"/>
  </property>
</channel>
XML
    xfce4-panel >>"$WORK/panel.log" 2>&1 &
    PIDS+=($!)
    DESK_PIDS+=($!)
    wait_for 15 host_registered || fail "xfce4-panel did not start"
}
# A property of the session's StatusNotifierWatcher, as dbus-send prints it.
watcher_get() {
    dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}
host_registered() { grep -q true <<<"$(watcher_get IsStatusNotifierHostRegistered)"; }
# trayer: XEmbed tray, no D-Bus, no window manager. xfce: a session bus, xfwm4 and
# xfce4-panel (StatusNotifierItem). sni: a session bus only, for a watcher of the
# test's own. none: a session bus and xfwm4, no tray of any kind.
start_desktop() {
    DESK_PIDS=()
    case $1 in
    # No session bus; "disabled:" keeps D-Bus from starting one of its own on the display.
    trayer) export DBUS_SESSION_BUS_ADDRESS=disabled: && start_tray ;;
    xfce) start_bus && start_wm && start_panel ;;
    sni) start_bus ;;
    none) start_bus && start_wm ;;
    esac
}
stop_desktop() {
    for p in "${DESK_PIDS[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${DESK_PIDS[@]}"; do wait_for 10 gone "$p"; done
    # The next window manager is known to be up by this property, which a killed one
    # leaves behind.
    xprop -root -remove _NET_SUPPORTING_WM_CHECK
    unset DBUS_SESSION_BUS_ADDRESS
}
start_desktop "${DESKTOP:-trayer}"

# --- on a StatusNotifierItem desktop
DESKTOP_PY="$(dirname "${BASH_SOURCE[0]}")/desktop.py"
desktop() { /usr/bin/python3 "$DESKTOP_PY" "$@"; }
# A StatusNotifierItem is registered with the session's watcher.
has_item() { grep -q StatusNotifierItem <<<"$(watcher_get RegisteredStatusNotifierItems)"; }
# What a screen reader reads of the program now.
widgets() { timeout 20 /usr/bin/python3 "$DESKTOP_PY" widgets Tockwell 2>/dev/null; }
# A line of the program's widgets matches $1 (grep pattern).
has_widget() { grep -q -- "$1" <<<"$(widgets)"; }
# xfce4-panel draws the bell at its right end.
click_bell() { xdotool mousemove 1012 16 click "$1"; }
