#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installing as a user (cmake --install, a portable folder) and as a distribution does (the
# Debian package, checked, installed and started as a user and by the session's autostart).
#   install_e2e.sh PROGRAM ALARMFILE_TOOL OUTPUT_FOLDER (the build folder holds OUTPUT_FOLDER)
set -uo pipefail
PROGRAM=$1 TOOL=$2 OUT=$3 BUILD=$(dirname "$3") ID=org.ostrand.Tockwell
source "$(dirname "$0")/lib.sh"

PREFIX="$WORK/home/.local"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || fail "cmake --install failed"
for f in lib/tockwell/libtockwell_sound.so lib/tockwell/alarm.wav share/icons/hicolor/scalable/apps/$ID.svg \
    share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$ID.png \
    share/metainfo/$ID.metainfo.xml share/man/man1/tockwell.1.gz; do
    [ -s "$PREFIX/$f" ] || fail "the installation lacks $f"
done
cmp -s "$(readlink -f "$PREFIX/bin/tockwell")" "$PROGRAM" || fail "bin/tockwell does not lead to the program built"
desktop-file-validate "$PREFIX/share/applications/$ID.desktop" || fail "the launcher does not validate"
grep -qx "Exec=$PREFIX/bin/tockwell" "$PREFIX/share/applications/$ID.desktop" || fail "the launcher starts something else"
# A program folder that holds alarms (a portable copy) is used as it is.
"$TOOL" write "$PREFIX/lib/tockwell/Tockwell.alarms" "1,2026-01-10T09:00:00,0,0,Kept where it was" ||
    fail "could not write the portable alarms"
"$PREFIX/bin/tockwell" >>"$WORK/program.log" 2>&1 &
PIDS+=($!)
wait_for 15 has_icon && ! has_question || fail "the portable program: $(tail -1 "$WORK/program.log")"
stop_program "${PIDS[-1]}"
"$TOOL" dump "$PREFIX/lib/tockwell/Tockwell.alarms" | grep -qx '1 0 0 Kept where it was' &&
    [ ! -e "$XDG_DATA_HOME/Ostrand" ] && [ ! -e "$XDG_CONFIG_HOME/autostart" ] ||
    fail "the portable run did not keep to its folder"
pass "cmake --install lays out a valid launcher and the bell at every size; a folder holding alarms keeps them"

if grep -q '^TOCKWELL_SANITIZE:BOOL=ON' "$BUILD/CMakeCache.txt"; then
    echo "end-to-end run complete (no package from a sanitizer build)"
    exit 0
fi

# --- the Debian package
(cd "$BUILD" && cpack -G DEB) >"$WORK/cpack.log" 2>&1 || fail "cpack failed"
DEB=$(readlink -f "$BUILD"/package/tockwell_*.deb)
lintian --fail-on error "$DEB" >"$WORK/lintian.log" 2>&1 || fail "lintian finds errors in the package"
mkdir -p "$WORK/unpacked"
dpkg -x "$DEB" "$WORK/unpacked"
# Without TOCKWELL_HOMEPAGE no web page is named (none is made up): appstream 1.0 warns.
validate() { appstreamcli validate-tree --no-net "$@" "$WORK/unpacked"; }
validate || { ! grep -q '<url type="homepage">' "$WORK/unpacked/usr/share/metainfo/$ID.metainfo.xml" &&
    validate --override=url-homepage-missing=info; } || fail "appstreamcli does not accept the metadata"
desktop-file-validate "$WORK/unpacked/usr/share/applications/$ID.desktop" || fail "the package's launcher does not validate"
pass "cpack builds $(basename "$DEB"); lintian finds no error, appstreamcli and desktop-file-validate accept it"

# Installed for real when this runs as root on a machine without the package, which
# is taken away again at the end; otherwise unpacked into a folder nobody may change.
chmod 755 "$WORK"
if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W tockwell >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$DEB" >"$WORK/apt.log" 2>&1 ||
        fail "apt-get cannot install the package"
    trap 'apt-get purge -y -q tockwell >/dev/null 2>&1; cleanup' EXIT
    ROOT= U1=65534 # nobody
else
    ROOT="$WORK/unpacked" U1=$(id -u)
    chmod -R a-w "$ROOT/usr"
    trap 'chmod -R u+w "$ROOT"; cleanup' EXIT
fi
# Runs the installed program (or the command after $2) as user $1 with the home
# $WORK/users/$2, as a desktop session starts it: a clean environment, the display and a
# runtime folder of its own.
start_as() {
    local home="$WORK/users/$2" run=(env)
    mkdir -p "$home/run"
    chmod 700 "$home/run"
    chown -R "$1" "$home"
    [ "$1" != "$(id -u)" ] && run=(setpriv --reuid="$1" --regid="$1" --clear-groups env)
    "${run[@]}" -i HOME="$home" XDG_RUNTIME_DIR="$home/run" DISPLAY="$DISPLAY" LANG=C PATH=/usr/bin:/bin \
        DBUS_SESSION_BUS_ADDRESS=disabled: "${@:3}" >>"$WORK/$2.log" 2>&1 &
    LAST=$!
    PIDS+=("$LAST")
}
ENTRY="$WORK/users/one/.config/autostart/$ID.desktop"
alarms_file() { echo "$WORK/users/$1/.local/share/Ostrand/Tockwell/Tockwell.alarms"; }
alarms_of() { "$TOOL" dump "$(alarms_file "$1")"; }
start_as "$U1" one "$ROOT/usr/bin/tockwell"
wait_for 15 has_question || fail "no message at the first start"
TEXT=$(box_text "$WORK/one.log") # read and answered
grep -q "A new, empty file has been created" <<<"$TEXT" || fail "not the first-start message: $TEXT"
wait_for 15 has_icon || fail "no tray icon from the installed program"
wait_for 5 test -s "$ENTRY" || fail "the first start did not add the program to the session's autostart"
desktop-file-validate "$ENTRY" || fail "the autostart entry does not validate"
grep -qx "Exec=$ROOT/usr/bin/tockwell" "$ENTRY" || fail "the autostart entry starts something else: $(grep Exec "$ENTRY")"
stop_program "$LAST"
"$TOOL" write "$(alarms_file one)" "0,2027-01-10T09:00:00,0,1,Call the plumber" && chown "$U1" "$(alarms_file one)" ||
    fail "could not write the user's alarm"
# The session starts what its autostart folder holds, as dex -a does at login.
start_as "$U1" one dex -a -s "$(dirname "$ENTRY")"
wait_for 15 has_icon || fail "the session's autostart did not start the program"
PIDS+=("$(pgrep -nx -u "$U1" tockwell)")
pass "the first start adds a valid autostart entry, and the session starts the program from it"
rm "$ENTRY" # the user does not want it
stop_program "${PIDS[-1]}"
start_as "$U1" one "$ROOT/usr/bin/tockwell"
wait_for 15 has_icon || fail "the installed program did not come back"
[ -e "$ENTRY" ] && fail "the autostart entry the user deleted came back"
has_question && fail "a message on the second start: $(tail -1 "$WORK/one.log")"
[ "$(grep -c "A new, empty file" "$WORK/one.log")" -eq 1 ] || fail "the first-start message came again"
[ "$(alarms_of one)" = '0 0 1 Call the plumber' ] || fail "the user's alarm was not kept"
[ "$(stat -c %u "$WORK/users/one/.local/share/Ostrand/Tockwell/Tockwell.alarms")" = "$U1" ] ||
    fail "the user's alarms belong to someone else"
stop_program "$LAST"
pass "installed, started as a user: the first-start message once, the user's alarms kept across a restart"

# The other release's package (Debian 12's on Debian 13), in place of this one.
if [ -n "${TOCKWELL_OTHER_DEB:-}" ] && [ -z "$ROOT" ]; then
    { apt-get purge -y -q tockwell && DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "$TOCKWELL_OTHER_DEB"; } >>"$WORK/apt.log" 2>&1 || fail "apt-get cannot install $TOCKWELL_OTHER_DEB"
    start_as "$U1" one /usr/bin/tockwell
    wait_for 15 has_icon || fail "the package built on the other release does not start"
    stop_program "$LAST"
    [ "$(alarms_of one)" = '0 0 1 Call the plumber' ] || fail "the other release's package lost the alarms"
    pass "the package built on the other release installs here and runs on the user's alarms"
fi
echo "end-to-end run complete"
