#!/usr/bin/env bash
# Builds tanzel and its benchmark (win32 preset) and runs the benchmark under
# Wine through the project's runner. Prints one table of figures, each beside
# the floor it is measured against in the same run.
#
#   tools/bench.sh           full run (a few minutes): the figures of BENCHMARKS.md
#   tools/bench.sh --quick   a brief run for CI: fewer repetitions, 100 and 1,000
#                            windows; prints the figures and judges none of them
#
# TANZEL_ARCH chooses the build, win32 or win64 (default: win32 where this
# machine runs 32-bit code, win64 elsewhere); TANZEL_BUILD_DIR the build tree
# (default build/ARCH, the preset's).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

mode=()
case "${1:-}" in
"") ;;
--quick) mode=(--quick) ;;
*)
    echo "usage: tools/bench.sh [--quick]" >&2
    exit 2
    ;;
esac

. tools/wine-lib.sh
arch=${TANZEL_ARCH:-$(tanzel_preferred_arch)}
build=${TANZEL_BUILD_DIR:-build/$arch}
cmake --preset "$arch" -B "$build" >/dev/null
cmake --build "$build" -j2 --target tanzel_bench >/dev/null
tanzel_use_arch "$arch"

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
echo "tanzel benchmark${mode:+ (quick)}, $arch build: $(date -u '+%Y-%m-%d %H:%M UTC'), $(tanzel_wine --version 2>/dev/null),"
echo "$(nproc) x ${cpu:-unknown CPU}, $(uname -sr); medians, each ratio against its floor in the same run"
echo
exec tools/wine-run.sh "$build/tanzel_bench.exe" "${mode[@]}"
