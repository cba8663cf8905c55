#!/bin/sh
# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian's hardening-check on the built program: every protection found.
# Two verdicts cannot be "yes" for reasons outside the program, and are
# accepted only with those reasons shown: hardening-check sees stack clash
# protection only in functions with frames larger than a page ("unknown"
# when there are none), and control-flow protection only when every linked
# object carries its mark, which the C library's start files of Debian 12
# and 13 do not. Then the debug information must show that all of the
# program's own code was compiled with the flag. Branch protection, which
# Debian 13's hardening-check reports too, exists only on ARM and is not
# checked. Exits 77 (skipped) when hardening-check is not installed.
# Usage: check-hardening.sh <program> <C++ compiler>
set -eu
program=$1 compiler=$2

if ! command -v hardening-check >/dev/null; then
    echo "SKIP: hardening-check is not installed (Debian package devscripts)"
    exit 77
fi
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

report=$(hardening-check "$program" 2>&1) || true
echo "$report"
verdict() { echo "$report" | sed -n "s/^ $1: //p"; }

# The compiler's record of each of the program's own translation units.
producers=$(readelf --debug-dump=info "$program" 2>/dev/null | grep 'DW_AT_producer.*GNU C++' || true)
[ -n "$producers" ] || fail "the program has no debug information naming its compile flags"
compiled_with() {
    [ -n "$producers" ] && ! echo "$producers" | grep -qv -e "$1"
}

for protection in "Position Independent Executable" "Stack protected" \
                  "Fortify Source functions" "Read-only relocations" "Immediate binding"; do
    case $(verdict "$protection") in
        yes*) ;;
        *) fail "$protection: $(verdict "$protection")" ;;
    esac
done

case $(verdict "Stack clash protection") in
    yes*) ;;
    unknown*)
        compiled_with -fstack-clash-protection &&
            echo "stack clash protection: compiled in; no frame is large enough to need a probe" ||
            fail "stack clash protection: not every unit was compiled with -fstack-clash-protection" ;;
    *) fail "Stack clash protection: $(verdict "Stack clash protection")" ;;
esac

case $(uname -m) in
    x86_64 | i?86)
        case $(verdict "Control flow integrity") in
            yes*) ;;
            *)
                start_files=$(for file in Scrt1.o crti.o crtn.o; do "$compiler" -print-file-name=$file; done)
                unmarked=$(for file in $start_files; do
                               readelf -n "$file" | grep -q 'x86 feature: IBT, SHSTK' || echo "$file"
                           done)
                if [ -z "$unmarked" ]; then
                    fail "control-flow protection: the start files are marked, the program is not"
                elif compiled_with -fcf-protection; then
                    echo "control-flow protection: compiled in; unmarked start files:" $unmarked
                else
                    fail "control-flow protection: not every unit was compiled with -fcf-protection"
                fi ;;
        esac ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "the program is hardened"
