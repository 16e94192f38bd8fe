#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the platform-free
# units natively with ASan and UBSan, then the cross-built tests under Wine
# (in-process and end to end with the real tanzel.exe and real input), for
# each architecture this machine can run: the 64-bit build, then the 32-bit
# program users get, whose ctest summary ends the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export TANZEL_WERROR=${TANZEL_WERROR:-ON}

fail() {
    echo "[test] FAILED: $*" >&2
    exit 1
}

bash tools/setup.sh || fail "installing the packages (tools/setup.sh); run it as root and read its output"

echo "[test] native build and tests (ASan, UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

for preset in win64 win32; do
    echo "[test] $preset cross-build"
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset
done

. tools/wine-lib.sh
if tanzel_runs_win32; then
    suites=(win64 win32)
    echo "[test] Wine suites: win64, then win32 (this machine runs 32-bit x86 code)"
else
    suites=(win64)
    echo "[test] Wine suites: win64 only; win32 left out because this machine cannot" \
        "execute 32-bit x86 code (the 32-bit Wine loader fails with exit 126)"
fi

if [ ${#suites[@]} -eq 1 ]; then
    # Needs no Wine: the 32-bit exe's size, imports and hardening, read from the file.
    echo "[test] win32: the exe's size, imports and hardening only"
    ctest --preset win32 -R '^exe\.imports$'
fi

tanzel_ensure_display || fail "no display for Wine"
trap tanzel_release_display EXIT
for arch in "${suites[@]}"; do
    tanzel_use_arch "$arch"
    tanzel_prepare_prefix on || fail "setting up the $arch Wine prefix"
    echo "[test] the $arch benchmark, briefly, so it keeps working (figures not judged)"
    TANZEL_ARCH=$arch tools/bench.sh --quick
    echo "[test] $arch tests under Wine on display $DISPLAY"
    ctest --preset "$arch"
    # The next suite's desktop must not find this one's windows on the screen.
    tanzel_stop_wine
done
