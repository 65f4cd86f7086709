#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tockwell's idle cost beside a bare Qt tray program (bench/bare_tray.cpp), both built
# by the same CMake, measured under Xvfb, on trayer (XEmbed) or,
# with DESKTOP=xfce, on xfce4-panel over D-Bus (StatusNotifierItem) with xfwm4:
#   - time from start until the tray icon exists (median of RUNS starts, 7 unless set;
#     the two programs start in turn, one start of each per round)
#   - resident memory 10 s after start: VmRSS and PSS
#   - CPU time and wake-ups (context switches of all threads) over IDLE seconds, 60
#     unless set, while nothing rings
# Prints a table with the ratios Tockwell / bare. Tockwell starts with 20 alarms of all
# kinds, none of which rings while it is measured (the clock is set by faketime).
#   [DESKTOP=xfce] bench/idle_cost.sh [BUILD_FOLDER]      (default: build)
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-$HERE/../build}" && pwd)
RUNS=${RUNS:-7}
IDLE=${IDLE:-60}
PROGRAM=$BUILD/bin/tockwell
BARE=$BUILD/bin/bare_tray
TOOL=$HERE/../tests/e2e/alarmfile.py
for f in "$PROGRAM" "$BARE" "$TOOL"; do
    [ -x "$f" ] || { echo "idle_cost.sh: $f is missing; build first (./dev.sh test)" >&2; exit 1; }
done
OUT=$(mktemp -d)
source "$HERE/../tests/e2e/lib.sh"
unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON # as on a desktop without a screen reader
trap 'cleanup; rm -rf "$OUT"' EXIT
cp "$BARE" "$WORK/prog/bare_tray"
cp "$(dirname "$PROGRAM")/alarm.wav" "$WORK/prog/"
settings Sound=1 SoundFile=alarm.wav "Persistent Sound=0" Snooze=1 SnoozeMin=5
ALARMS=()
for i in $(seq 1 20); do ALARMS+=("$((i % 5)),2099-0$((i % 9 + 1))-1${i: -1}T0$((i % 10)):30:00,0,1,alarm $i"); done
"$TOOL" write "$DATA" "${ALARMS[@]}" || fail "could not write the alarms"

# The tray icon of a program with this class name: a child of trayer's panel, or on
# xfce4-panel an item registered with its watcher (one program runs at a time).
icon_of() {
    if [ "${DESKTOP:-trayer}" = xfce ]; then
        has_item
    else
        xwininfo -root -tree 2>/dev/null | awk -v c="(\"$1\"" '/"panel"/ {p = 1; next} p && index($0, c) {n++} END {exit !n}'
    fi
}
now_ms() { date +%s%3N; }
# Starts $1 (tockwell or bare_tray) and waits for its icon: PID in LAST, time in MS.
start_timed() {
    local t0
    t0=$(now_ms)
    # Both under the same fake clock: just after midnight, before any alarm's time.
    LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME="@2026-03-02 00:00:30" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 "$WORK/prog/$1" >>"$WORK/program.log" 2>&1 &
    LAST=$!
    PIDS+=("$LAST")
    while ! icon_of "$1"; do
        [ $(($(now_ms) - t0)) -gt 20000 ] && fail "$1: no tray icon after 20 s"
        sleep 0.005
    done
    MS=$(($(now_ms) - t0))
}
stop() {
    kill -TERM "$1"
    wait_for 10 gone "$1" || kill -9 "$1"
    wait "$1" 2>/dev/null
    wait_for 10 sh -c "! xwininfo -root -tree | grep -q '(\"$2\"'"
    wait_for 10 no_icon_of "$2"
}
no_icon_of() { ! icon_of "$1"; }
median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/_ctxt_switches/ {n += $2} END {print n}'; }
threads() { ls /proc/"$1"/task | wc -l; }
kb() { awk -v k="$2" '$1 == k ":" {print $2}' "$1"; }

declare -A START RSS PSS CPU WAKE THREADS TIMES
# Rounds of one start of each, so that the machine's drift over the run falls on both.
for _ in $(seq 1 "$RUNS"); do
    for name in tockwell bare_tray; do
        start_timed "$name"
        TIMES[$name]+="$MS "
        stop "$LAST" "$name"
    done
done
for name in tockwell bare_tray; do
    START[$name]=$(printf '%s\n' ${TIMES[$name]} | median)
    echo "$name: time to icon (ms) ${TIMES[$name]}, median ${START[$name]}" >&2

    start_timed "$name"
    PID=$LAST
    sleep 10
    RSS[$name]=$(kb "/proc/$PID/status" VmRSS)
    PSS[$name]=$(kb "/proc/$PID/smaps_rollup" Pss)
    THREADS[$name]=$(threads "$PID")
    t0=$(ticks "$PID") s0=$(switches "$PID")
    sleep "$IDLE"
    t1=$(ticks "$PID") s1=$(switches "$PID")
    CPU[$name]=$(awk -v t=$((t1 - t0)) -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.2f", t * 1000 / hz}')
    WAKE[$name]=$((s1 - s0))
    echo "$name: RSS ${RSS[$name]} kB, PSS ${PSS[$name]} kB, ${THREADS[$name]} threads, CPU ${CPU[$name]} ms and ${WAKE[$name]} wake-ups in $IDLE s" >&2
    stop "$PID" "$name"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
echo
echo "| Measure | Tockwell | bare tray program | ratio |"
echo "|---|---|---|---|"
echo "| time to tray icon, median of $RUNS (ms) | ${START[tockwell]} | ${START[bare_tray]} | $(ratio "${START[tockwell]}" "${START[bare_tray]}") |"
echo "| VmRSS 10 s after start (kB) | ${RSS[tockwell]} | ${RSS[bare_tray]} | $(ratio "${RSS[tockwell]}" "${RSS[bare_tray]}") |"
echo "| PSS 10 s after start (kB) | ${PSS[tockwell]} | ${PSS[bare_tray]} | $(ratio "${PSS[tockwell]}" "${PSS[bare_tray]}") |"
echo "| threads | ${THREADS[tockwell]} | ${THREADS[bare_tray]} | |"
echo "| CPU time over $IDLE s idle (ms) | ${CPU[tockwell]} | ${CPU[bare_tray]} | $(ratio "${CPU[tockwell]}" "${CPU[bare_tray]}") |"
echo "| wake-ups over $IDLE s idle (context switches) | ${WAKE[tockwell]} | ${WAKE[bare_tray]} | $(ratio "${WAKE[tockwell]}" "${WAKE[bare_tray]}") |"
