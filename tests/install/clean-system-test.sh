#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays a new user on a freshly bootstrapped, minimal Debian: a chroot made
# with debootstrap (only git, make and sudo added) from the mirror that apt
# uses here. A user with sudo clones the project and runs the README's two
# commands: `make run` (which must open the window) and `make test` (which
# must pass); then the package built there is installed there and started.
# With --no-apt, once the packages are installed, apt, dpkg and Debian's own
# tools are deleted from the system, and both commands must work again in a
# fresh clone; then, without xdotool and without rsvg-convert, `make test`
# and `make run` must stop within a minute naming what is missing.
# The chroot's programs draw on a private Xvfb of this machine. Needs root,
# the network to the package mirror and several minutes; not part of
# `make test`.
#
# Usage: clean-system-test.sh <release> [--base <dir>] [--repo <git dir>] [--out <dir>] [--no-apt]
#   release  12, 13, bookworm, trixie, unstable or sid
#   --base   keep the bootstrapped system in <dir> and copy it for each run,
#            so that a second run skips debootstrap
#   --no-apt check a system without apt and dpkg, as above
#   --repo   the repository to clone (default: the one holding this script)
#   --out    where screenshots and logs go (default: ./clean-system-<release>)
set -eu
here=$(cd "$(dirname "$0")" && pwd)

case "${1:-}" in
    12 | bookworm) release=bookworm ;;
    13 | trixie) release=trixie ;;
    unstable | sid) release=sid ;;
    *) echo "usage: clean-system-test.sh 12|13|bookworm|trixie|unstable|sid [--base DIR] [--repo DIR] [--out DIR] [--no-apt]" >&2
       exit 2 ;;
esac
shift
base="" repo=$(git -C "$here" rev-parse --show-toplevel) out=$PWD/clean-system-$release no_apt=no
while [ $# -gt 0 ]; do
    case "$1" in
        --no-apt) no_apt=yes; shift ;;
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
# Unstable's package lists may be older than their validity on the mirror.
[ "$release" != sid ] ||
    echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99klappomatikus-valid-until"
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

chroot "$root" useradd --create-home --shell /bin/bash user
echo "user ALL=(ALL) NOPASSWD: ALL" >"$root/etc/sudoers.d/user"
commit=$(git -C "$repo" rev-parse --short HEAD)
fresh_clone() {
    rm -rf "$root/home/user/klappomatikus"
    git clone --quiet --no-hardlinks "$repo" "$root/home/user/klappomatikus"
    chroot "$root" chown -R user:user /home/user/klappomatikus
}
fresh_clone
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

make_test() {
    echo "clean-system-test: make test"
    start=$(seconds)
    status=0
    as_user "make test" >"$out/$1.log" 2>&1 || status=$?
    grep -E "tests passed|tests failed|\*\*\*|Failed|Not Run|SKIP" "$out/$1.log" | tail -30
    echo "clean-system-test: make test ended with status $status after $(($(seconds) - start)) s"
    [ "$status" -eq 0 ] || exit 1
}
if [ "$no_apt" = yes ]; then
    # What make test installs first; the suite runs once apt is gone.
    echo "clean-system-test: installing what make test needs"
    start=$(seconds)
    as_user "./scripts/install-deps.sh test" >"$out/install-deps.log" 2>&1 ||
        { tail -20 "$out/install-deps.log"; exit 1; }
    echo "clean-system-test: installed in $(($(seconds) - start)) s: $(head -1 "$out/install-deps.log")"
    # Deleted, not only left off the PATH: CMake looks in /usr/bin whatever
    # the PATH says. Each package's files by dpkg's own list, then dpkg's
    # database itself.
    debian_only="apt dpkg debconf lintian debhelper dpkg-dev libdpkg-perl devscripts"
    for package in $debian_only; do
        for list in "$root/var/lib/dpkg/info/$package.list" "$root"/var/lib/dpkg/info/"$package":*.list; do
            [ -f "$list" ] || continue
            while read -r path; do
                [ -d "$root$path" ] || rm -f "$root$path"
            done <"$list"
        done
    done
    rm -rf "$root/var/lib/dpkg" "$root/var/lib/apt" "$root/var/cache/apt"
    for tool in apt apt-get dpkg dpkg-query dpkg-deb dpkg-shlibdeps dpkg-buildflags \
                dpkg-parsechangelog lintian hardening-check; do
        ! chroot "$root" sh -c "command -v $tool" >/dev/null ||
            { echo "clean-system-test: FAIL: $tool is still there" >&2; exit 1; }
    done
    echo "clean-system-test: deleted $debian_only; make test and make run in a fresh clone"
    fresh_clone
    make_test make-test-no-apt
    start=$(seconds)
    window_check make-run-no-apt "make run" "$out/make-run-no-apt.png" 600
    echo "clean-system-test: make run without apt took $(($(seconds) - start)) s"

    # One needed tool taken away: the command stops within a minute, with
    # a non-zero status and a line naming the tool.
    for case in "make test:xdotool:/usr/bin/xdotool" "make run:rsvg-convert:/usr/bin/rsvg-convert"; do
        command=${case%%:*} rest=${case#*:}
        tool=${rest%%:*} path=${rest#*:}
        mv "$root$path" "$root$path.away"
        start=$(seconds)
        status=0
        as_user "timeout 60 $command" >"$out/without-$tool.log" 2>&1 </dev/null || status=$?
        took=$(($(seconds) - start))
        mv "$root$path.away" "$root$path"
        line=$(grep -m1 "missing.*$tool" "$out/without-$tool.log" || true)
        echo "clean-system-test: $command without $tool: status $status after $took s: $line"
        if [ "$status" -eq 0 ] || [ "$status" -eq 124 ] || [ -z "$line" ]; then
            echo "clean-system-test: FAIL: $command did not stop naming $tool; its output:" >&2
            tail -15 "$out/without-$tool.log" >&2
            exit 1
        fi
    done
    echo "clean-system-test: Debian $release without apt passed"
    exit 0
fi

packages >"$out/packages-fresh.txt"
echo "clean-system-test: make run on the fresh system"
start=$(seconds)
window_check make-run "make run" "$out/make-run.png" 1800
packages >"$out/packages-after-run.txt"
echo "clean-system-test: make run took $(($(seconds) - start)) s and installed" \
     "$(comm -13 "$out/packages-fresh.txt" "$out/packages-after-run.txt" | wc -l) packages" \
     "(list in $out/packages-after-run.txt)"

make_test make-test

echo "clean-system-test: the package"
as_user "make package" >"$out/make-package.log" 2>&1 || { tail -20 "$out/make-package.log"; exit 1; }
deb=$(cd "$root" && ls home/user/klappomatikus/build/package/klappomatikus_*.deb | head -1)
chroot "$root" sh -c "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /$deb" \
    >"$out/install-package.log" 2>&1 || { tail -20 "$out/install-package.log"; exit 1; }
echo "clean-system-test: installed $(chroot "$root" dpkg-query -W klappomatikus | tr '\t' ' ')" \
     "depending on: $(chroot "$root" dpkg-query -W -f '${Depends}' klappomatikus)"
window_check installed /usr/bin/klappomatikus "$out/installed.png" 20
echo "clean-system-test: Debian $release passed"
