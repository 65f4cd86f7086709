#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a Debian 13 (trixie) root beside this machine, on a copy of the
# work tree, as root:
#   tools/debian13_root.sh [COMMAND...]      default: ./dev.sh test
# The root is made with debootstrap from the archive this machine's apt sources name the
# first time, and reused after that (TOCKWELL_DEBIAN13_ROOT, default
# /var/tmp/tockwell-debian13). The work tree (the files git tracks, and the untracked
# ones it does not ignore) is copied to /tockwell inside it; the build folders of an
# earlier run there are kept, so a second run builds only what changed. /proc, /sys,
# /dev, /dev/pts and /dev/shm are bound in for the command and unbound by path after it.
# The Debian package built here (build/package), if there is one, goes in too: the install
# run there installs and starts it (TOCKWELL_OTHER_DEB).
# The root shares this machine's processes and X11's abstract sockets: do not run
# end-to-end tests here and in the root at the same time.
set -euo pipefail
HERE=$(cd "$(dirname "$0")/.." && pwd)
ROOT=${TOCKWELL_DEBIAN13_ROOT:-/var/tmp/tockwell-debian13}
SUITE=trixie

[ "$(id -u)" -eq 0 ] || { echo "debian13_root: needs root (debootstrap, mount, chroot)" >&2; exit 1; }
[ $# -gt 0 ] || set -- ./dev.sh test

# One run of a root at a time.
mkdir -p "$(dirname "$ROOT")"
exec 9>"$ROOT.lock"
flock 9

# The archives of this machine's sources: the main one and the security one.
archive() { # $1: a pattern the URI ends with
    sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | tr ' ' '\n' \
        | grep -E "$1" | head -n 1
}
MAIN=$(archive '/debian/?$')
SECURITY=$(archive '/debian-security/?$')
[ -n "$MAIN" ] || { echo "debian13_root: no Debian archive in /etc/apt/sources.list.d" >&2; exit 1; }

command -v debootstrap >/dev/null || {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap >/dev/null ||
        { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap; }
}

if [ ! -e "$ROOT/.tockwell-root" ]; then
    echo "debian13_root: making a $SUITE root in $ROOT"
    rm -rf "$ROOT.partial"
    debootstrap --variant=minbase "$SUITE" "$ROOT.partial" "$MAIN" >"$ROOT.debootstrap.log" 2>&1 ||
        { tail -n 20 "$ROOT.debootstrap.log" >&2; echo "debian13_root: debootstrap failed" >&2; exit 1; }
    {
        printf 'Types: deb\nURIs: %s\nSuites: %s %s-updates\nComponents: main\n' "$MAIN" "$SUITE" "$SUITE"
        printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
        [ -z "$SECURITY" ] || printf '\nTypes: deb\nURIs: %s\nSuites: %s-security\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$SECURITY" "$SUITE"
    } >"$ROOT.partial/etc/apt/sources.list.d/debian.sources"
    rm -f "$ROOT.partial/etc/apt/sources.list"
    # Services are not started by package scripts inside the root.
    printf '#!/bin/sh\nexit 101\n' >"$ROOT.partial/usr/sbin/policy-rc.d"
    chmod +x "$ROOT.partial/usr/sbin/policy-rc.d"
    mv "$ROOT.partial" "$ROOT"
    touch "$ROOT/.tockwell-root"
fi
cp /etc/resolv.conf "$ROOT/etc/resolv.conf" 2>/dev/null || true

# The work tree, over what an earlier run left, whose build folders stay: a file is
# copied only when its contents changed, and then gets the time of the copy, so that the
# build there rebuilds exactly what changed (a source's own time may be older than an
# object built from its previous contents).
command -v rsync >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q rsync >/dev/null
mkdir -p "$ROOT/tockwell"
FILES=$(cd "$HERE" && git ls-files -co --exclude-standard | sort)
rsync -lpc --files-from=<(printf '%s\n' "$FILES") "$HERE/" "$ROOT/tockwell/"
(cd "$ROOT/tockwell" && comm -13 <(printf '%s\n' "$FILES") \
    <(find . -path './build*' -prune -o -type f -printf '%P\n' | sort) | tr '\n' '\0' | xargs -0 -r rm -f)

# The package built here on Debian 12, if any, for the install run there to try too.
rm -rf "$ROOT/other-release"
mkdir -p "$ROOT/other-release"
OTHER_DEB=
for deb in "$HERE"/build/package/tockwell_*.deb; do
    [ -e "$deb" ] && cp "$deb" "$ROOT/other-release/" && OTHER_DEB=/other-release/$(basename "$deb")
done

MOUNTS=()
unmount_all() {
    local i
    for ((i = ${#MOUNTS[@]} - 1; i >= 0; i--)); do
        umount -R "${MOUNTS[i]}" 2>/dev/null || umount -R -l "${MOUNTS[i]}" ||
            echo "debian13_root: could not unmount ${MOUNTS[i]}" >&2
    done
}
trap unmount_all EXIT
bind() { # $1: what, $2: where in the root, then mount's options
    local target=$ROOT$2
    mkdir -p "$target"
    mountpoint -q "$target" && return 0 # an earlier run that was killed left it
    mount "${@:3}" "$1" "$target"
    MOUNTS+=("$target")
}
bind proc /proc -t proc
bind /sys /sys --rbind
mount --make-rslave "$ROOT/sys"
bind /dev /dev --bind
bind /dev/pts /dev/pts --bind
bind /dev/shm /dev/shm --bind

echo "debian13_root: running $* in the $SUITE root"
status=0
chroot "$ROOT" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" FUZZ_SECONDS="${FUZZ_SECONDS:-}" TOCKWELL_OTHER_DEB="$OTHER_DEB" \
    bash -c 'cd /tockwell && exec "$@"' bash "$@" || status=$?
exit "$status"
