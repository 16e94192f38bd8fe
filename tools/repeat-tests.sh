#!/usr/bin/env bash
# Runs the Wine suites many times in a row and prints, for each suite, how
# many of the runs each test failed in, with the failing test cases: the way
# to find a test that fails by chance.
#
#   tools/repeat-tests.sh N [ARCH...] [-- CTEST-ARGS...]
#
# ARCH is win32 or win64 (default: every suite this machine can run). CTEST-ARGS
# go to each ctest run, e.g. -- -R dpi. Builds first, as tools/test.sh does;
# every run starts with a fresh Wine server, as in CI. Logs stay in
# build/repeat/. Exits non-zero when any run of any suite failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

usage() {
    echo "usage: tools/repeat-tests.sh N [win32|win64 ...] [-- CTEST-ARGS...]" >&2
    exit 2
}
if [ $# -lt 1 ] || ! [[ $1 =~ ^[1-9][0-9]*$ ]]; then usage; fi
runs=$1
shift
archs=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    case "$1" in
    win32 | win64) archs+=("$1") ;;
    *) usage ;;
    esac
    shift
done
[ "${1:-}" = -- ] && shift
ctest_args=("$@")

. tools/wine-lib.sh
if [ ${#archs[@]} -eq 0 ]; then
    archs=(win64)
    tanzel_runs_win32 && archs+=(win32)
fi
for arch in "${archs[@]}"; do
    if [ "$arch" = win32 ] && ! tanzel_runs_win32; then
        echo "[repeat] no win32 suite here: $TANZEL_WIN32_LEFT_OUT" >&2
        exit 2
    fi
    cmake --preset "$arch" >/dev/null
    cmake --build --preset "$arch" -j2 >/dev/null
done

tanzel_ensure_display || exit 1
trap tanzel_release_display EXIT
logs=$root/build/repeat
mkdir -p "$logs"
status=0
for arch in "${archs[@]}"; do
    tanzel_use_arch "$arch"
    tanzel_prepare_prefix on || exit 1
    tests=$(ctest --preset "$arch" -N "${ctest_args[@]}" | sed -n 's/^ *Test *#[0-9]*: //p')
    : >"$logs/$arch.failures"
    for run in $(seq 1 "$runs"); do
        log=$logs/$arch-$run.log
        if ctest --preset "$arch" "${ctest_args[@]}" >"$log" 2>&1; then
            echo "[repeat] $arch run $run of $runs: passed"
        else
            status=1
            tanzel_failed_ctests "$log" >"$logs/$arch-$run.failures"
            failed=$(cut -d' ' -f1 "$logs/$arch-$run.failures" | tr '\n' ' ')
            echo "[repeat] $arch run $run of $runs: failed: ${failed:-(no test named; see $log)}"
            cat "$logs/$arch-$run.failures" >>"$logs/$arch.failures"
        fi
        tanzel_stop_wine
    done
    echo
    echo "$arch: failures in $runs runs"
    echo
    echo "| test | failed runs | failing cases |"
    echo "|---|---:|---|"
    for test in $tests; do
        count=$(awk -v t="$test" '$1 == t' "$logs/$arch.failures" | wc -l)
        cases=$(awk -v t="$test" '$1 == t { for (i = 2; i <= NF; ++i) print $i }' \
            "$logs/$arch.failures" | sort -u | tr '\n' ' ')
        echo "| $test | $count | ${cases% } |"
    done
    echo
done
exit $status
