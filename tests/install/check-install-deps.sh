#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# scripts/install-deps.sh on systems made from this one: a PATH of links to
# its commands less some, with or without a stand-in apt-get (and sudo) that
# only records what it is asked for. Without apt-get the script must name
# each missing thing with its Debian package and stop within seconds, and
# pass where nothing is missing; with apt-get it must ask for exactly the
# packages of the missing things.
# Usage: check-install-deps.sh <source dir>
set -eu
script=$1/scripts/install-deps.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# This system's commands, as links, less every package manager and
# Debian's own tools: a Linux without apt.
mkdir "$work/all"
for dir in $(echo "$PATH" | tr : ' '); do
    if [ -d "$dir" ]; then cp -n -s "$dir"/* "$work/all/" 2>/dev/null || true; fi
done
(cd "$work/all" && rm -f apt apt-get sudo dpkg dpkg-* hardening-check lintian)
mkdir "$work/empty"
cat >"$work/python-without-site" <<'EOF'
#!/bin/sh
exec /usr/bin/python3 -S "$@"
EOF
chmod +x "$work/python-without-site"
# apt-get that notes what it is asked, and sudo that runs what it is given.
mkdir "$work/apt"
# shellcheck disable=SC2016
printf '#!/bin/sh\necho "$*" >>"$HOME/apt-calls"\n' >"$work/apt/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$work/apt/sudo"
chmod +x "$work/apt/apt-get" "$work/apt/sudo"

# Each row: the purpose, apt-get there or not, the commands taken away, the
# settings (- for none), the exit status, and the Debian packages named (no
# apt-get) or asked for (apt-get), - for none.
rows='
test    no-apt  -                           -                                          0  -
run     no-apt  xdotool                     -                                          0  -
test    no-apt  xdotool                     -                                          1  xdotool
run     no-apt  rsvg-convert                -                                          1  librsvg2-bin
test    no-apt  clang-format,compare        -                                          1  clang-format,imagemagick
test    no-apt  c++,g++,clang++             -                                          1  g++
package no-apt  -                           -                                          1  dpkg,dpkg-dev
test    no-apt  -                           KLAPPOMATIKUS_LIBEXEC_DIRS=@empty          1  at-spi2-core
test    no-apt  -                           KLAPPOMATIKUS_TEST_PYTHON=@python-without-site 1 python3-xlib,python3-pyatspi,gir1.2-atspi-2.0
run     apt     rsvg-convert                -                                          0  librsvg2-bin
test    apt     xdotool,xwininfo            -                                          0  x11-utils,xdotool,devscripts,lintian,dpkg-dev,dpkg
'

sorted() { echo "$1" | tr ' ,' '\n' | grep -v '^-\?$' | sort -u | tr '\n' ' '; }

number=0
echo "$rows" | grep -v '^$' >"$work/rows"
while read -r purpose apt removed settings status packages; do
    number=$((number + 1))
    case_dir=$work/case$number
    removed_list=$(echo "$removed" | sed 's/^-$//; s/,/ /g')
    mkdir -p "$case_dir/hidden"
    for command in $removed_list; do
        if [ -L "$work/all/$command" ]; then mv "$work/all/$command" "$case_dir/hidden/"; fi
    done
    path=$work/all
    [ "$apt" = no-apt ] || path=$work/apt:$path
    environment=$(echo "$settings" | sed "s|^-\$||; s|@|$work/|")
    what="install-deps.sh $purpose, $apt, without ${removed}, ${settings}"

    start=$(date +%s%N)
    actual=0
    # shellcheck disable=SC2086
    env -i HOME="$case_dir" PATH="$path" $environment \
        sh "$script" "$purpose" >"$case_dir/out" 2>"$case_dir/err" </dev/null || actual=$?
    milliseconds=$((($(date +%s%N) - start) / 1000000))
    mv "$case_dir/hidden"/* "$work/all/" 2>/dev/null || true
    echo "$what: status $actual in $milliseconds ms"
    sed 's/^/    /' "$case_dir/out" "$case_dir/err"

    [ "$actual" -eq "$status" ] || fail "$what: status $actual, not $status"
    [ "$milliseconds" -lt 5000 ] || fail "$what: took $milliseconds ms"
    if [ "$apt" = apt ]; then
        asked=$(sed -n 's/^install .* --no-install-recommends //p' "$case_dir/apt-calls" 2>/dev/null | head -1)
        [ "$(sorted "$asked")" = "$(sorted "$packages")" ] ||
            fail "$what: apt-get was asked for '$asked', not '$packages'"
        [ "$packages" = - ] || grep -q "^install-deps: installing .* (to build" "$case_dir/out" ||
            fail "$what: no line saying what it installs and why"
    else
        # One line per missing thing naming its package, and one saying what to do.
        named=$(sed -n 's/^install-deps: missing .* (Debian package \([^)]*\))$/\1/p' "$case_dir/err")
        [ "$(sorted "$named")" = "$(sorted "$packages")" ] ||
            fail "$what: named the packages '$(sorted "$named")', not '$packages'"
        lines=$(grep -c . "$case_dir/err" || true)
        expected=0
        [ "$status" -eq 0 ] || expected=$(($(echo "$named" | grep -c . || true) + 1))
        [ "$lines" -eq "$expected" ] || fail "$what: $lines lines on standard error, not $expected"
        [ ! -s "$case_dir/out" ] || fail "$what: wrote to standard output"
        for command in $removed_list; do
            [ "$status" -eq 0 ] || grep '^install-deps: missing' "$case_dir/err" | grep -qF "$command" ||
                fail "$what: $command is not named"
        done
    fi
done <"$work/rows"

[ "$failures" -eq 0 ] || exit 1
echo "install-deps.sh names or installs exactly what is missing"
