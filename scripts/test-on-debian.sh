#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs ./test.sh in a clean minbase root of a Debian release, as a new user on
# that release would: the root gets a copy of what is committed (no build
# folders, nothing untracked) and ./test.sh installs what it needs there.
#
# Usage: scripts/test-on-debian.sh RELEASE [--fresh] [--root NAME] [--out DIR] [-- COMMAND...]
#   RELEASE      12, 13, bookworm or trixie
#   --fresh      make the root anew instead of reusing the cached one
#   --root NAME  a root of its own for other work, debian-RELEASE-NAME, so
#                that what that work installs stays out of the test root
#   --out DIR    the host's folder DIR (made if missing) appears as /out in
#                the root, for what the run leaves behind
#   COMMAND      what to run in the copy instead of ./test.sh (a shell, say)
#
# The root is made with mmdebstrap from the Debian mirror the host's own apt
# sources name, and kept in ${PELAGOR_CACHE:-~/.cache/pelagor}/debian-RELEASE
# for the next run (the packages ./test.sh installed stay in it). Needs root.
# Everything runs in a mount and PID namespace of its own: when the run ends,
# fails or is interrupted, the kernel ends every process started in the root
# and drops every mount made for it.
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
12 | bookworm) release=bookworm ;;
13 | trixie) release=trixie ;;
*) echo "usage: $0 12|13 [--fresh] [-- COMMAND...]" >&2; exit 2 ;;
esac
shift
fresh= name= out=
while [ $# -gt 0 ]; do
    case "$1" in
    --fresh) fresh=--fresh ;;
    --root) name=-${2:?--root needs a name}; shift ;;
    --out) out=${2:?--out needs a folder}; shift ;;
    --) shift; break ;;
    *) break ;;
    esac
    shift
done
if [ -n "$out" ]; then
    mkdir -p "$out"
    out=$(cd "$out" && pwd)
fi
[ $# -gt 0 ] || set -- ./test.sh
[ "$(id -u)" -eq 0 ] || { echo "$0: must run as root (it makes and enters a chroot)" >&2; exit 1; }
if ! command -v mmdebstrap >/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null
fi

cache=${PELAGOR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pelagor}
root=$cache/debian-$release$name
mkdir -p "$cache"
# One run at a time in a root: another waits for it to end.
exec 9>"$root.lock"
flock 9

# The host's Debian mirror: the one its apt sources use for the main archive
# (not the security archive), as apt itself reports it.
mirror=$(apt-cache policy | awk '
    / [0-9]+ [a-z]+:\/\// { uri = $2 }
    /release .*o=Debian,.*l=Debian,/ && uri != "" { print uri; exit }')
[ -n "$mirror" ] || { echo "$0: the host's apt sources name no Debian mirror" >&2; exit 1; }

if [ "$fresh" = --fresh ]; then
    rm -rf --one-file-system "$root"
fi
if [ ! -x "$root/bin/bash" ]; then
    echo "test-on-debian: making a minbase root of Debian $release from $mirror"
    rm -rf --one-file-system "$root.new"
    mmdebstrap --quiet --variant=minbase "$release" "$root.new" "$mirror"
    # Packages install without starting their services in the root.
    printf '#!/bin/sh\nexit 101\n' >"$root.new/usr/sbin/policy-rc.d"
    chmod 755 "$root.new/usr/sbin/policy-rc.d"
    mv "$root.new" "$root"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"

# A clean tree of what is committed; in a tree without git (itself such a
# copy), the tree without its build folders.
rm -rf --one-file-system "$root/src"
mkdir "$root/src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git archive --format=tar HEAD | tar -xf - -C "$root/src"
    tree=$(git rev-parse --short HEAD)
else
    tar --exclude=./build --exclude=./.cache -cf - . | tar -xf - -C "$root/src"
    tree=$PWD
fi
echo "test-on-debian: $tree in Debian $release ($(cat "$root/etc/debian_version"))"

# In its own mount and PID namespaces: the mounts below live only as long as
# the run, and when its first process ends the kernel ends the rest. unshare
# passes over TERM and INT while it waits; KILL ends it and, by --kill-child,
# that first process.
# Inside a chroot, whose / is no mount point, the mounts are already another
# namespace's copies and stay as they are.
propagation=private
mountpoint -q / || propagation=unchanged
unshare --mount --propagation "$propagation" --pid --fork --kill-child -- \
    env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 CI=true \
    bash -c '
        set -euo pipefail
        root=$1
        mount -t proc proc "$root/proc"
        mount -t sysfs sysfs "$root/sys"
        mount -t tmpfs -o mode=755 dev "$root/dev"
        for node in null zero full random urandom tty; do
            touch "$root/dev/$node"
            mount --bind "/dev/$node" "$root/dev/$node"
        done
        mkdir -p "$root/dev/pts" "$root/dev/shm"
        mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
        ln -s pts/ptmx "$root/dev/ptmx"
        ln -s /proc/self/fd "$root/dev/fd"
        ln -s /proc/self/fd/0 "$root/dev/stdin"
        ln -s /proc/self/fd/1 "$root/dev/stdout"
        ln -s /proc/self/fd/2 "$root/dev/stderr"
        mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
        mount -t tmpfs -o mode=1777 tmp "$root/tmp"
        if [ -n "$2" ]; then
            mkdir -p "$root/out"
            mount --bind "$2" "$root/out"
        fi
        shift 2
        # Not exec: this shell stays the namespace'"'"'s first process and reaps
        # the orphans of what runs inside, as init would.
        status=0
        chroot "$root" /usr/bin/env --chdir=/src "$@" || status=$?
        exit "$status"
    ' test-on-debian "$root" "$out" "$@" &
namespace=$!
trap 'kill -KILL "$namespace" 2>/dev/null; exit 130' INT TERM HUP
wait "$namespace"
