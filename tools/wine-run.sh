#!/usr/bin/env bash
# Runs one Windows program under Wine as tanzel's tests expect: the private
# prefix, code page 932, the virtual desktop, a virtual display when none is
# given, and a fresh current directory. Exits with the program's exit code.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so ctest runs every cross-built test
# through it.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"

[ $# -ge 1 ] || { echo "usage: wine-run.sh PROGRAM.exe [ARGS...]" >&2; exit 2; }
program=$(readlink -f "$1"); shift

tanzel_ensure_display || exit 1
trap tanzel_release_display EXIT
tanzel_prepare_prefix "${TANZEL_WINE_DESKTOP:-on}"

workdir=$(mktemp -d /tmp/tanzel-run.XXXXXX)
cd "$workdir" || exit 1
wine "$program" "$@"
status=$?
cd / && rm -rf "$workdir"
exit $status
