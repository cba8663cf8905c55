#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The source release as a distribution takes it. `make dist` must pack
# exactly the committed files, with a right checksum and the commit's time
# filled in. Unpacked where there is no git, it is built the way Debian's
# tools build: their own flags (dpkg-buildflags), prefix /usr and the
# program in /usr/games. The flags must reach the build in place of the
# project's, no build folder may land in the program, and the installed
# tree must have the program where asked, no Debian documentation files,
# and a desktop entry that starts the program. Exits 77 (skipped) when the
# source folder is not a git checkout, or dpkg-buildflags is missing.
# Usage: check-dist.sh <source dir> <version> <application id>
set -eu
source=$1 version=$2 app_id=$3

if [ ! -e "$source/.git" ]; then
    echo "SKIP: $source is not a git checkout; make dist packs the last commit"
    exit 77
fi
if ! command -v dpkg-buildflags >/dev/null; then
    echo "SKIP: dpkg-buildflags is not installed (Debian package dpkg-dev)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() {
    what=$1
    shift
    "$@" >"$work/log" 2>&1 || { echo "FAIL: $what"; tail -30 "$work/log"; exit 1; }
}

run "make dist" make -s -C "$source" dist BUILD_DIR="$work/out"
name=klappomatikus-$version
tarball=$work/out/dist/$name.tar.gz
[ -f "$tarball" ] || { echo "FAIL: make dist wrote no $name.tar.gz"; ls -R "$work/out"; exit 1; }
(cd "$work/out/dist" && sha256sum --check --quiet "$name.tar.gz.sha256") || fail "the checksum does not match"

tar -tzf "$tarball" | grep -v '/$' | sort >"$work/packed"
git -C "$source" ls-tree -r --name-only HEAD | sed "s|^|$name/|" | sort >"$work/committed"
diff "$work/committed" "$work/packed" >"$work/difference" ||
    fail "the tarball does not hold exactly the committed files: $(cat "$work/difference")"

tar -xzf "$tarball" -C "$work"
src=$work/$name
commit_time=$(git -C "$source" log -1 --format=%ct)
[ "$(tail -1 "$src/scripts/source-date")" = "$commit_time" ] ||
    fail "scripts/source-date does not hold the commit time $commit_time"

# Debian's flags, as its packaging tools put them into the environment.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
for variable in CFLAGS CXXFLAGS CPPFLAGS LDFLAGS; do
    export "$variable=$(cd "$src" && dpkg-buildflags --get "$variable")"
done
build=$work/build root=$work/root
run "configuring the release" cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games -DBUILD_TESTING=OFF \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
run "building the release" cmake --build "$build" -j "$(nproc)"
DESTDIR=$root run "installing the release" cmake --install "$build"

compile=$(grep '"command".*app/main\.cpp' "$build/compile_commands.json")
for flag in $CXXFLAGS $CPPFLAGS; do
    case "$compile" in
        *" $flag "*) ;;
        *) fail "the builder's flag $flag is not in the compile command: $compile" ;;
    esac
done
case "$compile" in
    *-U_FORTIFY_SOURCE*) fail "the project's hardening flags were added to the builder's" ;;
esac
program=$build/app/klappomatikus
readelf -d "$program" | grep -q 'FLAGS.*NOW' || fail "the builder's LDFLAGS (-z now) did not reach the link"
leaked=$(strings -a "$program" | grep -F -e "$work" | head -3)
[ -z "$leaked" ] || fail "the program names the build folders: $leaked"

installed=$root/usr/games/klappomatikus
[ -x "$installed" ] || fail "the program is not in /usr/games"
[ ! -e "$root/usr/bin" ] || fail "something was installed into /usr/bin: $(ls "$root/usr/bin")"
[ ! -e "$root/usr/share/doc" ] || fail "Debian documentation files were installed: $(find "$root/usr/share/doc" -type f)"

desktop=$root/usr/share/applications/$app_id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed: $out"
[ -z "$out" ] || fail "desktop-file-validate printed: $out"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = /usr/games/klappomatikus ] ||
    fail "the desktop entry runs '$exec_line', not /usr/games/klappomatikus"
# Started as the entry says, with root's search path, which lacks
# /usr/games: without a display it must get as far as saying so.
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH=/usr/sbin:/usr/bin:/sbin:/bin \
          "$root$exec_line" 2>&1) && status=0 || status=$?
[ "$status" -eq 1 ] && [ -n "$message" ] ||
    fail "the desktop entry's program did not start (status $status: $message)"

[ "$failures" -eq 0 ] || exit 1
echo "$name.tar.gz ($(wc -l <"$work/packed") files) builds with Debian's flags into /usr/games"
