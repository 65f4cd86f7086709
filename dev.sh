#!/usr/bin/env bash
# Set up, build and start Tockwell, or run its whole test suite, on Debian 12.
#   ./dev.sh start   install what is missing, build, start the program
#   ./dev.sh test    install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages the build and the tests need.
PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev qt6-multimedia-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb trayer xdotool x11-utils x11-xserver-utils imagemagick
    faketime pulseaudio pulseaudio-utils sox
)

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

install_missing() {
    missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "dev.sh: installing ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    fi
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --parallel "$(nproc)"
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
    install_missing
    build
    ctest --test-dir build --output-on-failure --timeout 300
    ;;
*)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
