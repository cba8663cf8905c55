#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays a new user on a freshly bootstrapped, minimal Debian: a chroot made
# with debootstrap (only git, make and sudo added) from the mirror that apt
# uses here. A user with sudo clones the project and runs the README's two
# commands: `make run` (which must open the window) and `make test` (which
# must pass); then the package built there is installed there and started.
# The chroot's programs draw on a private Xvfb of this machine. Needs root,
# the network to the package mirror and several minutes; not part of
# `make test`.
#
# Usage: clean-system-test.sh <release> [--base <dir>] [--repo <git dir>] [--out <dir>]
#   release  12, 13, bookworm or trixie
#   --base   keep the bootstrapped system in <dir> and copy it for each run,
#            so that a second run skips debootstrap
#   --repo   the repository to clone (default: the one holding this script)
#   --out    where screenshots and logs go (default: ./clean-system-<release>)
set -eu
here=$(cd "$(dirname "$0")" && pwd)

case "${1:-}" in
    12 | bookworm) release=bookworm ;;
    13 | trixie) release=trixie ;;
    *) echo "usage: clean-system-test.sh 12|13|bookworm|trixie [--base DIR] [--repo DIR] [--out DIR]" >&2
       exit 2 ;;
esac
shift
base="" repo=$(git -C "$here" rev-parse --show-toplevel) out=$PWD/clean-system-$release
while [ $# -gt 0 ]; do
    case "$1" in
        --base) base=$(realpath -m "$2"); shift 2 ;;
        --repo) repo=$(realpath "$2"); shift 2 ;;
        --out) out=$(realpath -m "$2"); shift 2 ;;
        *) echo "clean-system-test: unknown option $1" >&2; exit 2 ;;
    esac
done

[ "$(id -u)" -eq 0 ] || { echo "clean-system-test: run as root" >&2; exit 1; }
command -v debootstrap >/dev/null ||
    { echo "clean-system-test: needs debootstrap (apt-get install debootstrap)" >&2; exit 1; }
for tool in Xvfb xdotool xwininfo import; do
    command -v "$tool" >/dev/null ||
        { echo "clean-system-test: needs $tool (make test installs it)" >&2; exit 1; }
done
mkdir -p "$out"

# The Debian mirror apt already uses here, from either sources format.
mirror=$(sed -n -e 's/^URIs: *\([^ ]*\).*/\1/p' -e 's/^deb \(\[[^]]*\] \)\?\([^ ]*\) .*/\2/p' \
             /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
         grep -v -e security -e nodesource -e google | head -1)
mirror=${mirror:-http://deb.debian.org/debian}

bootstrap() {
    echo "clean-system-test: bootstrapping Debian $release from $mirror into $1"
    debootstrap --variant=minbase --include=git,make,sudo,ca-certificates \
        "$release" "$1" "$mirror" >"$out/debootstrap.log" 2>&1 ||
        { tail -20 "$out/debootstrap.log"; exit 1; }
}

root=$(mktemp -d /var/tmp/klappo-clean-$release.XXXXXX)
# The chroot's / must be open to its user, as on any system; mktemp makes
# the folder for its owner alone.
chmod 0755 "$root"
unmount_all() {
    for mount in tmp/.X11-unix dev/shm dev/pts dev sys proc; do
        mountpoint -q "$root/$mount" && umount -l "$root/$mount"
    done
    return 0
}
cleanup() {
    # Whatever still runs inside the chroot goes first.
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null
    done
    unmount_all
    rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -n "$base" ]; then
    [ -x "$base/usr/bin/git" ] || { rm -rf "$base"; bootstrap "$base"; }
    cp -a "$base/." "$root/"
else
    bootstrap "$root"
fi
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs shm "$root/dev/shm"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

chroot "$root" useradd --create-home --shell /bin/bash user
echo "user ALL=(ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/user"
commit=$(git -C "$repo" rev-parse --short HEAD)
git clone --quiet --no-hardlinks "$repo" "$root/home/user/klappomatikus"
chroot "$root" chown -R user:user /home/user/klappomatikus
echo "clean-system-test: Debian $(cat "$root/etc/debian_version"), clone of $commit"

# Runs a shell command as the user, in the clone.
as_user() {
    chroot "$root" su -l user -c "cd ~/klappomatikus && $1"
}
packages() {
    chroot "$root" dpkg-query -W -f '${Package}\n' | sort
}

# Starts a command in the chroot against this machine's private X server,
# waits for the program's window and takes a screenshot of the screen.
window_check() {
    what=$1 command=$2 shot=$3 timeout=$4
    /usr/bin/python3 "$here/../e2e/privatex.py" -- sh -c '
        setsid chroot "$1" su -l user -c "export DISPLAY=$DISPLAY; cd ~/klappomatikus && $2" \
            >"$5.log" 2>&1 &
        started=$!
        window=$(timeout "$4" xdotool search --sync --onlyvisible --name "^Klappomatikus$" | head -1)
        status=0
        if [ -n "$window" ]; then
            sleep 1
            import -window root "$3"
            echo "clean-system-test: window up, $(xwininfo -id "$window" | sed -n "s/ *Width: //p")x$(xwininfo -id "$window" | sed -n "s/ *Height: //p") px; $3"
        else
            echo "clean-system-test: FAIL: no window; the last output:" >&2
            tail -15 "$5.log" >&2
            status=1
        fi
        kill -- -"$started" 2>/dev/null || true
        wait "$started" 2>/dev/null || true
        exit $status
    ' sh "$root" "$command" "$shot" "$timeout" "$out/$what"
}

seconds() { date +%s; }

packages >"$out/packages-fresh.txt"
echo "clean-system-test: make run on the fresh system"
start=$(seconds)
window_check make-run "make run" "$out/make-run.png" 1800
packages >"$out/packages-after-run.txt"
echo "clean-system-test: make run took $(($(seconds) - start)) s and installed" \
     "$(comm -13 "$out/packages-fresh.txt" "$out/packages-after-run.txt" | wc -l) packages" \
     "(list in $out/packages-after-run.txt)"

echo "clean-system-test: make test"
start=$(seconds)
status=0
as_user "make test" >"$out/make-test.log" 2>&1 || status=$?
grep -E "tests passed|tests failed|\*\*\*|Failed|Not Run" "$out/make-test.log" | tail -30
echo "clean-system-test: make test ended with status $status after $(($(seconds) - start)) s"
[ "$status" -eq 0 ] || exit 1

echo "clean-system-test: the package"
as_user "make package" >"$out/make-package.log" 2>&1 || { tail -20 "$out/make-package.log"; exit 1; }
deb=$(cd "$root" && ls home/user/klappomatikus/build/package/klappomatikus_*.deb | head -1)
chroot "$root" sh -c "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /$deb" \
    >"$out/install-package.log" 2>&1 || { tail -20 "$out/install-package.log"; exit 1; }
echo "clean-system-test: installed $(chroot "$root" dpkg-query -W klappomatikus | tr '\t' ' ')" \
     "depending on: $(chroot "$root" dpkg-query -W -f '${Depends}' klappomatikus)"
window_check installed /usr/bin/klappomatikus "$out/installed.png" 20
echo "clean-system-test: Debian $release passed"
