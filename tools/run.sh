#!/usr/bin/env bash
# Installs what is missing, builds tanzel, and runs it under Wine: the 32-bit
# program where this machine runs 32-bit code, the x64 build elsewhere.
# With a display: tanzel runs on it, with the current directory's tanzel.ini.
# Without one: a virtual display shows the main job end to end (pick a known
# colour, Drop it into the colour dialog, OK) and saves a screenshot.
set -uo pipefail
start_dir=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

fail() {
    echo "[run] FAILED: $1" >&2
    echo "[run] what to do: $2" >&2
    exit 1
}

bash tools/setup.sh ||
    fail "installing the packages (tools/setup.sh)" \
        "run tools/run.sh as root (or with sudo) on Debian 12 with its package sources reachable"

. tools/wine-lib.sh
if tanzel_runs_win32; then
    arch=win32
    echo "[run] this machine runs 32-bit x86 code and 32-bit Wine: using the 32-bit tanzel.exe (the program users get)"
else
    arch=win64
    echo "[run] using the x64 build of the same sources under 64-bit Wine;" \
        "win32 left out: $TANZEL_WIN32_LEFT_OUT"
fi
build=$root/build/$arch

echo "[run] building tanzel (cmake --preset $arch)"
log=$(mktemp /tmp/tanzel-build.XXXXXX)
if ! { cmake --preset "$arch" && cmake --build --preset "$arch" \
    --target tanzel tanzel_host tanzel_demo; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    rm -f "$log"
    fail "the $arch build (its last lines are above)" \
        "read the compiler's message; tools/test.sh builds with the same presets"
fi
rm -f "$log"
tanzel_use_arch "$arch"

if [ -n "${DISPLAY:-}" ]; then
    tanzel_prepare_prefix off || fail "setting up the Wine prefix $WINEPREFIX" \
        "remove that folder and run again"
    echo "[run] starting tanzel ($arch) on display $DISPLAY (close its window to end)"
    cd "$start_dir" || exit 1
    exec "$TANZEL_WINE" "$build/tanzel.exe"
fi

screenshot=${TANZEL_SCREENSHOT:-$root/build/tanzel-demo.png}
workdir=""
cleanup() {
    [ -n "$workdir" ] && rm -rf "$workdir"
    tanzel_release_display
}
trap cleanup EXIT
trap 'exit 143' TERM INT

echo "[run] no display: starting a virtual one for a demonstration"
tanzel_ensure_display || fail "starting Xvfb" "install the xvfb package (tools/setup.sh does)"
tanzel_prepare_prefix on || fail "setting up the Wine prefix $WINEPREFIX" \
    "remove that folder and run again"
workdir=$(mktemp -d /tmp/tanzel-demo.XXXXXX)
cd "$workdir" || exit 1
echo "[run] demo with the $arch build: drag from the swatch to a patch of 10,200,64, Drop, OK"
status=0
tanzel_wine "$build/tanzel_demo.exe" "$screenshot" || status=$?
if [ $status -ne 0 ]; then
    echo "[run] the demo failed (exit $status); its output is above" >&2
    echo "[run] what to do: run tools/test.sh, whose end-to-end tests show which step fails" >&2
fi
[ -f "$screenshot" ] && echo "[run] screenshot of the desktop: $screenshot"
exit $status
