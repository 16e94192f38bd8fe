#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the platform-free
# units natively with ASan and UBSan, then the cross-built tests under Wine
# (in-process and end to end with the real tanzel.exe and real input), for
# each architecture this machine can run: the 64-bit build, then the 32-bit
# program users get, whose ctest summary ends a green run.
# Every suite runs even when an earlier one failed; the run then ends with a
# line for each failed test and a non-zero exit.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
export TANZEL_WERROR=${TANZEL_WERROR:-ON}

fail() {
    echo "[test] FAILED: $*" >&2
    exit 1
}

bash tools/setup.sh || fail "installing the packages (tools/setup.sh); run it as root and read its output"
. tools/wine-lib.sh

if tanzel_runs_win32; then
    suites=(win64 win32)
    echo "[test] Wine suites: win64, then win32 (this machine runs 32-bit x86 code and 32-bit Wine)"
else
    suites=(win64)
    echo "[test] Wine suites: win64 only, the x64 build under 64-bit Wine;" \
        "win32 suite left out: $TANZEL_WIN32_LEFT_OUT"
fi

failures=()
logs=$(mktemp -d /tmp/tanzel-test.XXXXXX)

# Runs ctest with the given arguments for a suite ($1), its output shown as
# usual, and notes each test that failed.
run_suite() {
    local suite=$1 log=$logs/$1.log status
    shift
    ctest "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    [ "$status" -eq 0 ] && return 0
    local failed
    failed=$(tanzel_failed_ctests "$log" | cut -d' ' -f1)
    [ -n "$failed" ] || failed="(ctest exit $status, no test named)"
    local test
    for test in $failed; do failures+=("$suite $test"); done
}

echo "[test] native build and tests (ASan, UBSan)"
cmake --preset native >/dev/null || fail "configuring the native build"
cmake --build --preset native || fail "the native build"
run_suite native --preset native

for preset in win64 win32; do
    echo "[test] $preset cross-build"
    cmake --preset $preset >/dev/null || fail "configuring the $preset build"
    cmake --build --preset $preset || fail "the $preset build"
done
echo "[test] win32: a second build in another folder gives the same exe, byte for byte"
tools/check-reproducible.sh win32 || failures+=("win32 tools/check-reproducible.sh")

if [ ${#suites[@]} -eq 1 ]; then
    # Needs no Wine: the 32-bit exe's size, imports and hardening, read from the file.
    echo "[test] win32: the exe's size, imports and hardening only"
    run_suite win32 --preset win32 -R '^exe\.imports$'
fi

# The tests that show the language the picker speaks.
english_tests='^(e2e\.menu_options_test|e2e\.palette_test|inprocess\.ui_language_test)$'
tanzel_ensure_display || fail "no display for Wine"
trap tanzel_release_display EXIT
for arch in "${suites[@]}"; do
    tanzel_use_arch "$arch"
    tanzel_prepare_prefix on || fail "setting up the $arch Wine prefix"
    echo "[test] the $arch benchmark, briefly, so it keeps working (figures not judged)"
    TANZEL_ARCH=$arch tools/bench.sh --quick || failures+=("$arch tools/bench.sh --quick")
    echo "[test] $arch tests under Wine on display $DISPLAY"
    run_suite "$arch" --preset "$arch"
    # The next suite's desktop must not find this one's windows on the screen.
    tanzel_stop_wine
    echo "[test] $arch: the menu's tests once more in English (en_US.UTF-8, code page 1252)"
    tanzel_use_locale en_US.UTF-8
    run_suite "$arch-english" --preset "$arch" -R "$english_tests"
    tanzel_stop_wine
    tanzel_use_locale ja_JP.UTF-8
done

rm -rf "$logs"
if [ ${#suites[@]} -eq 1 ]; then
    echo "[test] win32 suite left out: $TANZEL_WIN32_LEFT_OUT"
fi
[ ${#failures[@]} -eq 0 ] && exit 0
for failure in "${failures[@]}"; do
    echo "[test] failed: $failure" >&2
done
exit 1
