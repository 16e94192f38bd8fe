#!/usr/bin/env bash
# Runs one Windows program under Wine as tanzel's tests expect: the Wine of
# the program's own architecture with its private prefix, code page 932, the
# virtual desktop, a virtual display when none is given, and a fresh current
# directory. Exits with the program's exit code.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so ctest runs every cross-built test
# through it.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"

[ $# -ge 1 ] || { echo "usage: wine-run.sh PROGRAM.exe [ARGS...]" >&2; exit 2; }
program=$(readlink -f "$1"); shift

arch=$(tanzel_pe_arch "$program") || {
    echo "wine-run.sh: $program is not a 32- or 64-bit x86 Windows program" >&2
    exit 2
}
if [ "$arch" = win32 ] && ! tanzel_runs_win32; then
    echo "wine-run.sh: no 32-bit build here, $TANZEL_WIN32_LEFT_OUT; build with the win64 preset" >&2
    exit 126
fi
tanzel_use_arch "$arch"

workdir=""
cleanup() {
    [ -n "$workdir" ] && rm -rf "$workdir"
    tanzel_release_display
}
trap cleanup EXIT
trap 'exit 143' TERM INT

tanzel_ensure_display || exit 1
tanzel_prepare_prefix "${TANZEL_WINE_DESKTOP:-on}" || exit 1

workdir=$(mktemp -d /tmp/tanzel-run.XXXXXX)
cd "$workdir" || exit 1
tanzel_wine "$program" "$@"
status=$?
cd /
exit $status
