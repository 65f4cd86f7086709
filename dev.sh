#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Set up, build and start Tockwell, or run its whole test suite, on Debian 12 or 13.
#   ./dev.sh start   install what is missing, build, start the program
#   ./dev.sh test    install what is missing, build, run every test: the suite, the
#                    suite again under ASan and UBSan, and a short fuzz run
#   ./dev.sh package build the Debian package build/package/tockwell_*.deb
#   ./dev.sh fuzz    only the fuzz run (FUZZ_SECONDS=600 ./dev.sh fuzz for a longer one)
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages the build and the tests need.
PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev qt6-multimedia-dev libxcb1-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb trayer xdotool x11-utils x11-xserver-utils imagemagick desktop-file-utils
    faketime tzdata pulseaudio pulseaudio-utils sox wmctrl
    dbus-daemon dbus-x11 xfwm4 xfce4-panel xterm at-spi2-core python3-pyatspi python3-gi
    clang clang-format
    dpkg-dev file lintian appstream dex
)
# The larger desktops of the end-to-end runs, without what they only recommend; Plasma's
# Wayland session is run where Plasma is 6 (Debian 13 on).
DESKTOP_PACKAGES=(
    gnome-shell gnome-shell-extension-appindicator mutter xwayland
    plasma-workspace plasma-desktop kwin-x11
)
[ "$(. /etc/os-release && echo "${VERSION_ID%%.*}")" -ge 13 ] 2>/dev/null && DESKTOP_PACKAGES+=(kwin-wayland kded6)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "dev.sh: these packages are missing and installing them needs root: ${missing[*]}" >&2
        exit 1
    fi
}

# Installs those of the packages named after the options ($1) that are missing.
install_packages() {
    local options=$1
    shift
    missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "dev.sh: installing ${missing[*]}"
        [ -n "${UPDATED:-}" ] || as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        UPDATED=1
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $options "${missing[@]}"
    fi
}
install_missing() {
    install_packages "" "${PACKAGES[@]}"
    # The sanitizers' runtime of the clang that the release has.
    install_packages "" "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
    [ "${1:-}" = desktops ] && install_packages --no-install-recommends "${DESKTOP_PACKAGES[@]}"
    return 0
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --parallel "$(nproc)"
}

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan. Every sanitized process (the programs the end-to-end scripts start too)
# writes its report into one folder; any file there fails the run.
sanitized_tests() {
    cmake --preset asan
    cmake --build --preset asan --parallel "$(nproc)"
    local logs="$PWD/build-asan/sanitizer-reports"
    rm -rf "$logs"
    mkdir -p "$logs"
    # faketime is preloaded by one end-to-end script; the ASan runtime then does not
    # come first in the library list, which is harmless for this use.
    # Qt 6.8's FFmpeg sound plugin probes for a Vulkan device at the first sound; the
    # driver it loads leaks and is unloaded again, so LeakSanitizer cannot even name it.
    # The sanitized processes run as on a machine without Vulkan.
    VK_DRIVER_FILES=/nonexistent.json VK_ICD_FILENAMES=/nonexistent.json \
    ASAN_OPTIONS="verify_asan_link_order=0:detect_stack_use_after_return=1:log_path=$logs/asan" \
        LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0" \
        UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$logs/ubsan" \
        ctest --test-dir build-asan --output-on-failure --timeout 600
    if [ -n "$(ls -A "$logs")" ]; then
        echo "dev.sh: the sanitizers reported problems:" >&2
        cat "$logs"/* >&2
        exit 1
    fi
    echo "dev.sh: sanitized run clean (no AddressSanitizer, LeakSanitizer or UBSan report)"
}

# The data-file fuzzer (clang, libFuzzer) for FUZZ_SECONDS (60 unless set), from the
# seed files in tests/fuzz/corpus. A crash, a failed check or a sanitizer report ends
# the run with the input that caused it in build-fuzz/.
fuzz() {
    cmake --preset fuzz
    cmake --build --preset fuzz --parallel "$(nproc)"
    local corpus
    corpus=$(mktemp -d)
    trap 'rm -rf "$corpus"' RETURN
    build-fuzz/tests/fuzz/alarmfile_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -max_len=16384 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$PWD/build-fuzz/" \
        "$corpus" "$PWD/tests/fuzz/corpus" 2>&1 | grep -E '^(#[0-9]+.*(INITED|DONE)|stat::|==|SUMMARY|alarmfile_fuzz)'
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "dev.sh: the fuzzer found a fault" >&2; exit 1; }
    echo "dev.sh: fuzz run clean"
}

case "${1:-}" in
start)
    install_missing
    build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "dev.sh: built build/bin/tockwell; it needs a desktop session to start (no DISPLAY is set)" >&2
        exit 1
    fi
    exec build/bin/tockwell
    ;;
test)
    install_missing desktops
    build
    ctest --test-dir build --output-on-failure --timeout 300
    sanitized_tests
    fuzz
    ;;
package)
    install_missing
    build
    (cd build && cpack -G DEB)
    ;;
fuzz)
    install_missing
    fuzz
    ;;
*)
    echo "usage: $0 start|test|package|fuzz" >&2
    exit 2
    ;;
esac
