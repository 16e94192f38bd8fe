#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the platform-free
# units natively with ASan and UBSan, then the cross-built tests under Wine
# (in-process and end to end with the real tanzel.exe and real input).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export TANZEL_WERROR=${TANZEL_WERROR:-ON}

bash tools/setup.sh

echo "[test] native build and tests (ASan, UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "[test] win32 cross-build"
cmake --preset win32 >/dev/null
cmake --build --preset win32

. tools/wine-lib.sh
tanzel_ensure_display
trap tanzel_release_display EXIT
tanzel_prepare_prefix on
echo "[test] the benchmark, briefly, so it keeps working (figures not judged)"
tools/bench.sh --quick

echo "[test] win32 tests under Wine on display $DISPLAY"
ctest --preset win32
