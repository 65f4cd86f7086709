#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end scripts (set OUT, PROGRAM and TOOL first): Xvfb with a DESKTOP,
# private program and settings folders, waiting, screenshots, clean-up by PID.
mkdir -p "$OUT"
rm -f "$OUT"/*.png

# Debian 12 or 13: Plasma 5 or 6 (whose kded gives the watcher); mutter 44 and later frame
# X11 windows in a client whose frames carry the titles they frame (not counted below).
PLASMA=$(dpkg-query -W -f='${Version}' plasma-workspace 2>/dev/null | sed 's/^[0-9]*://; s/[^0-9].*//')
PLASMA=${PLASMA:-5}
FRAME_CLASS=mutter-x11-frames
WORK=$(mktemp -d)
PIDS=()
STEP=0
cleanup() { kill -9 "${PIDS[@]}" 2>/dev/null; wait 2>/dev/null; xwayland_leftovers; rm -rf "$WORK"; }
# A killed GNOME Shell leaves its XWayland's lock and socket (:1024) behind.
xwayland_leftovers() {
    [ -e /tmp/.X1024-lock ] && ! kill -0 "$(tr -dc 0-9 </tmp/.X1024-lock)" 2>/dev/null &&
        rm -f /tmp/.X1024-lock /tmp/.X11-unix/X1024
}
trap cleanup EXIT
shot() {
    STEP=$((STEP + 1))
    local file="$OUT/$(printf '%02d' $STEP)-$1.png"
    [ "${GNOME:-}" != wayland ] && { import -window root "$file" 2>/dev/null; return 0; }
    # The shell's own picture: XWayland's root shows only its X clients.
    shell "new imports.gi.Shell.Screenshot().screenshot(false,
        imports.gi.Gio.File.new_for_path('$file').replace(null, false, 0, null), () => {})" >/dev/null
    wait_for 5 test -s "$file"
}
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
not() { ! "$@"; }
alive() { [ -e "/proc/$1/status" ] && ! grep -qs '^State:.*Z' "/proc/$1/status"; }
gone() { ! alive "$1"; }

# The tray icons of every running copy: children of trayer's panel window.
icons() { xwininfo -root -tree 2>/dev/null | awk '/"panel"/ {p = 1; next} p && /"Tockwell": \("tockwell"/ {print $1}'; }
icon_window() { icons | head -1; }
has_icon() { [ -n "$(icons)" ]; }
icons_are() { [ "$(icons | wc -l)" -eq "$1" ]; }
# Drops the icons from a list of window ids.
not_icons() { grep -vxF -f <(for w in $(icons); do printf '%d\n' "$w"; done) || true; }
# The visible windows whose title matches $1, without the frames that carry their titles.
named() {
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        xprop -id "$w" WM_CLASS 2>/dev/null | grep -q "\"$FRAME_CLASS\"" || echo "$w"
    done
}
question_window() { named '^Tockwell$' | not_icons | head -1; }
has_question() { [ -n "$(question_window)" ]; }
no_question() { [ -z "$(question_window)" ]; }
# The first visible window whose title matches $1.
titled() { named "$1" | head -1; }
has_titled() { [ -n "$(titled "$1")" ]; }
# A key to the window $1 as a user types it (never left down for the next window).
key_to() { xdotool windowfocus --sync "$1" 2>/dev/null; xdotool key --window "$1" "$2"; xdotool keyup "$2"; }
# Ends the program $1 as the desktop does at logout: SIGTERM, then its own shutdown.
stop_program() { kill -TERM "$1"; wait_for 20 gone "$1" || fail "SIGTERM did not end the program"; }
# The open message box's text as the program logs it into $1; then Enter closes it.
box_text() {
    sleep 0.3
    tail -1 "$1"
    key_to "$(question_window)" Return
    wait_for 5 no_question || fail "the message box did not close"
}
# Starts the program (after the command $@, if any); its PID in LAST.
start_program() {
    "$@" "$WORK/prog/tockwell" >>"$WORK/program.log" 2>&1 &
    LAST=$!
    PIDS+=("$LAST")
}
# The program with its clock at $1 ("2026-03-01 07:59:40") going on; set_clock sets it anew.
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
SCREEN=${SCREEN:-1024x600}
Xvfb -displayfd 6 -screen 0 "${SCREEN}x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$WORK/display")"
# No key repeat: a key still held when one program ends must not press the next one's buttons.
xset r off
# $@ in the background as part of the desktop, its output in $WORK/$1.log.
desk() { "$@" >>"$WORK/$(basename "$1").log" 2>&1 & PIDS+=($!) DESK_PIDS+=($!); }
start_tray() {
    desk trayer --edge top --align right --widthtype pixel --width 200 --heighttype pixel \
        --height 32 --transparent false
    TRAY=$!
    wait_for 10 sh -c 'xwininfo -root -tree | grep -q "\"panel\""' || fail "trayer did not start"
}
wm_up() { wait_for 15 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "$1 did not start"; }
# A property of the session's StatusNotifierWatcher, as dbus-send prints it.
watcher_get() {
    dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}
host_registered() { grep -q true <<<"$(watcher_get IsStatusNotifierHostRegistered)"; }
# xfce4-panel: a top panel, the tray at its right end; it owns the watcher (and XEmbed's).
start_panel() {
    mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
    cp "$(dirname "${BASH_SOURCE[0]}")/xfce4-panel.xml" "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/"
    desk xfce4-panel
    PANEL=$!
    wait_for 15 host_registered || fail "xfce4-panel did not start"
}
# GNOME Shell 43 or 48 with the AppIndicator extension: X11 under Xvfb, or headless Wayland
# whose XWayland the program uses. A private system bus; --unsafe-mode opens Eval.
start_gnome() {
    GNOME=$1
    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
    export DBUS_SYSTEM_BUS_ADDRESS=${bus%%$'\n'*} WAYLAND_DISPLAY=tockwell-e2e
    PIDS+=("${bus##*$'\n'}") DESK_PIDS+=("${bus##*$'\n'}")
    gsettings set org.gnome.shell disable-user-extensions false
    appindicator_extension "['ubuntu-appindicators@ubuntu.com']"
    xwayland_leftovers
    [ "$1" = x11 ] && desk gnome-shell --x11 --replace --sm-disable --unsafe-mode
    [ "$1" = wayland ] && desk env RUNNING_UNDER_GDM=1 gnome-shell --headless --wayland --virtual-monitor \
        1024x600 --wayland-display="$WAYLAND_DISPLAY" --sm-disable --unsafe-mode
    wait_for 30 shell_ready || fail "GNOME Shell did not start"
    shell 'Main.overview.hide()' >/dev/null
    if [ "$1" = wayland ]; then
        export DISPLAY XAUTHORITY
        DISPLAY=$(shell 'GLib.getenv("DISPLAY")') XAUTHORITY=$(shell 'GLib.getenv("XAUTHORITY")')
        wait_for 10 xdpyinfo >/dev/null 2>&1 || fail "no XWayland from GNOME Shell"
    fi
    # mutter 48's frames take the title bar's buttons from it (else minimise and maximise).
    desk /usr/libexec/gsd-xsettings
    wait_for 10 sh -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.gnome.SettingsDaemon.XSettings | grep -q true' ||
        fail "gsd-xsettings did not start"
}
shell_ready() { [ "$(shell Main.layoutManager._startingUp 2>/dev/null)" = false ]; }
appindicator_extension() { gsettings set org.gnome.shell enabled-extensions "$1"; }
# Plasma 5.27 or 6 on kwin_x11 under Xvfb, or Plasma 6 on kwin_wayland's virtual screen (its
# XWayland's DISPLAY told by the command KWin runs), with kded6 told the session's variables.
start_kde() {
    export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=$PLASMA XDG_SESSION_TYPE=$1
    if [ "$1" = x11 ]; then
        desk kwin_x11 --replace
        wm_up kwin_x11
    else
        export WAYLAND_DISPLAY=tockwell-e2e
        printf '#!/bin/sh\necho "$DISPLAY" >"%s"\n' "$WORK/xwayland" >"$WORK/tell-display" && chmod +x "$WORK/tell-display"
        desk env KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 kwin_wayland --virtual --xwayland --socket "$WAYLAND_DISPLAY" \
            --width "${SCREEN%x*}" --height "${SCREEN#*x}" --no-lockscreen "$WORK/tell-display"
        wait_for 30 test -s "$WORK/xwayland" || fail "kwin_wayland did not start its XWayland"
        DISPLAY=$(cat "$WORK/xwayland")
        dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
        desk kded6
    fi
    desk env QT_QUICK_BACKEND=software plasmashell --no-respawn
    wait_for 30 kde_tray || fail "plasmashell did not register a tray host"
}
# The session's start-up has kded load the watcher; no session manager runs here.
kde_tray() {
    host_registered || { dbus-send --session --print-reply --dest=org.kde.kded$PLASMA /kded \
        org.kde.kded$PLASMA.loadModule string:statusnotifierwatcher >/dev/null 2>&1; sleep 0.5; false; }
}
# trayer: XEmbed, no D-Bus, no window manager. none: a private session bus (AT-SPI reads
# the widgets on it) and xfwm4; xfce adds the panel. The others: those desktops.
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
    case $1 in
    gnome-* | kde*) export HOME="$WORK/home" XDG_CACHE_HOME="$WORK/cache" && mkdir "$HOME" ;;& # written to
    gnome-*) start_gnome "${1#gnome-}" && return ;;
    kde) start_kde x11 && return ;;
    kde-wayland) start_kde wayland && return ;;
    esac
    desk xfwm4 --compositor=off --replace # over one that is still going away
    wm_up xfwm4
    [ "$1" = xfce ] && start_panel
}
stop_desktop() {
    kill "${DESK_PIDS[@]}" 2>/dev/null
    # On a busy machine xfwm4 may not end on SIGTERM, and the next one cannot take over.
    for p in "${DESK_PIDS[@]}"; do wait_for 10 gone "$p" || { kill -9 "$p" && wait_for 10 gone "$p"; }; done
    # The next window manager is known to be up by this property: a killed one leaves it.
    xprop -root -remove _NET_SUPPORTING_WM_CHECK
    unset DBUS_SESSION_BUS_ADDRESS
}

# --- on a StatusNotifierItem desktop
desktop() { timeout 20 /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/desktop.py" "$@"; }
# A StatusNotifierItem is registered with the session's watcher.
has_item() { grep -q StatusNotifierItem <<<"$(watcher_get RegisteredStatusNotifierItems)"; }
# What a screen reader reads of the program now; has_widget: a line matches $1.
widgets() { desktop widgets Tockwell 2>/dev/null; }
has_widget() { grep -q -- "$1" <<<"$(widgets)"; }
# GNOME Shell's value of a JavaScript expression.
shell() { desktop eval "$1"; }
# GNOME: $4 (or 1) clicks of button $3 at $1 $2 by a pointer of the shell's (not xdotool's).
shell_click() {
    shell "const {Clutter, GLib} = imports.gi; const t = () => GLib.get_monotonic_time();
        const p = global._e2ePointer ??= Clutter.get_default_backend().get_default_seat()
            .create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        p.notify_absolute_motion(t(), $1, $2);
        for (let i = 0; i < ${4:-1}; i++) for (const s of [Clutter.ButtonState.PRESSED, Clutter.ButtonState.RELEASED])
            p.notify_button(t(), $3, s);" >/dev/null
}
# GNOME: the AppIndicator extension's button in the top bar, and the middle of an actor.
INDICATOR='Object.entries(Main.panel.statusArea).find(([k]) => k.startsWith("appindicator-"))?.[1]'
middle() { shell "const [x, y] = $1.get_transformed_position(); const [w, h] = $1.get_transformed_size();
    \`\${Math.round(x + w / 2)} \${Math.round(y + h / 2)}\`"; }
# Clicks the bell with button $1 ($2 times) where each desktop draws it; no test's pointer
# reaches Plasma's Wayland panel: there, the call Plasma makes for a click.
click_bell() {
    case ${DESKTOP:-} in
    kde-wayland) desktop activate ;;
    gnome-*) shell_click $(middle "$INDICATOR") "$1" "${2:-1}" ;;
    kde) # Plasma takes a click only once the pointer has rested on the item a moment.
        wait_for 10 desktop where plasmashell 'push button' Tockwell >/dev/null || fail "no bell in Plasma's tray"
        xdotool mousemove $(desktop where plasmashell 'push button' Tockwell) sleep 0.5 \
            click --repeat "${2:-1}" --delay 80 "$1" ;;
    *) xdotool mousemove $((${SCREEN%x*} - 12)) 16 click --repeat "${2:-1}" --delay 80 "$1" ;;
    esac
}
# The bell's menu as GNOME shows it, an entry a line; elsewhere a line for its menu window.
shown_menu() {
    case ${DESKTOP:-} in
    gnome-*) shell "const a = $INDICATOR; a?.menu.isOpen ? a.menu._getMenuItems().map(i => i.label?.text || '-').join('\n') : ''" ;;
    kde | xfce) for w in $(xdotool search --onlyvisible --class "$([ "$DESKTOP" = kde ] && echo plasmashell || echo 'xfce4-panel|wrapper')"); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q POPUP_MENU && echo "a menu"
    done ;;
    esac
}
# Chooses the shown menu's entry starting with $1: on GNOME a click, else the keys $2 ("a"
# would only move between About and Alarms Window, which share their mnemonic).
choose() {
    case ${DESKTOP:-} in
    gnome-*) shell_click $(middle "$INDICATOR.menu._getMenuItems().find(i => i.label?.text.startsWith('$1'))") 1 ;;
    kde-wayland) desktop click "$1" ;; # what Plasma's menu sends for the entry
    *) for k in $2; do xdotool key "$k" keyup "$k"; done ;;
    esac
}
# The program's windows as the window manager keeps them (XWayland's too).
press() { xdotool key "$1" keyup "${1##*+}"; }
focused_title() { xdotool getactivewindow getwindowname 2>/dev/null; }
kept_above() { xprop -id "$(titled "^$1")" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
top_title() { xdotool getwindowname "$(($(xprop -root _NET_CLIENT_LIST_STACKING | awk '{print $NF}')))"; }
activate() { xdotool windowactivate --sync "$(titled "^$1")"; }

start_desktop "${DESKTOP:-trayer}"
