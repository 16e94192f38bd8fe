#!/usr/bin/env bash
# Installs what is missing, builds tanzel, and runs it under Wine.
# With a display: tanzel runs on it, with the current directory's tanzel.ini.
# Without one: a virtual display shows the main job end to end (pick a known
# colour, Drop it into the colour dialog, OK) and saves a screenshot.
set -euo pipefail
start_dir=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh
echo "[run] building tanzel (cmake --preset win32)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target tanzel tanzel_host tanzel_demo >/dev/null

. tools/wine-lib.sh
if [ -n "${DISPLAY:-}" ]; then
    tanzel_prepare_prefix off
    echo "[run] starting tanzel on display $DISPLAY (close its window to end)"
    cd "$start_dir"
    exec wine "$root/build/win32/tanzel.exe"
fi

screenshot=${TANZEL_SCREENSHOT:-$root/build/tanzel-demo.png}
echo "[run] no display: starting a virtual one for a demonstration"
tanzel_ensure_display
trap tanzel_release_display EXIT
tanzel_prepare_prefix on
workdir=$(mktemp -d /tmp/tanzel-demo.XXXXXX)
cd "$workdir"
status=0
wine "$root/build/win32/tanzel_demo.exe" "$screenshot" || status=$?
cd / && rm -rf "$workdir"
echo "[run] screenshot of the desktop: $screenshot"
exit $status
