#!/usr/bin/env bash
# Builds tanzel.exe a second time, from a copy of this work tree at another
# path, in a clean build folder, and fails unless it is byte-identical to the
# one in build/ARCH. Catches a time of build or a build path finding its way
# into the file. Needs no Wine.
#   tools/check-reproducible.sh [win32|win64]     (default win32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

arch=${1:-win32}
case $arch in
win32 | win64) ;;
*)
    echo "usage: tools/check-reproducible.sh [win32|win64]" >&2
    exit 2
    ;;
esac

say() { printf '[reproducible] %s\n' "$*"; }
started=$(date +%s%N)

# Brings build/ARCH's exe up to date (nothing to do right after a build).
[ -f "build/$arch/CMakeCache.txt" ] || cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target tanzel >/dev/null
first=build/$arch/tanzel.exe

# The committed files with their uncommitted edits, and new files not ignored.
copy=$(mktemp -d "${TMPDIR:-/tmp}/tanzel-second-build.XXXXXX")
trap 'rm -rf "$copy"' EXIT
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do
        [ -e "$file" ] && printf '%s\0' "$file"
    done |
    tar --null -T - -cf - | tar -xf - -C "$copy"

(
    cd "$copy"
    # The tests change nothing in the exe and cost seconds to configure.
    cmake --preset "$arch" -DTANZEL_TESTS=OFF >/dev/null
    cmake --build --preset "$arch" --target tanzel >/dev/null
)
second=$copy/build/$arch/tanzel.exe

tenths=$((($(date +%s%N) - started) / 100000000))
seconds=$((tenths / 10)).$((tenths % 10))
if cmp -s "$first" "$second"; then
    say "$arch: $first is byte-identical to a second clean build at $copy" \
        "($(stat -c %s "$first") bytes, $seconds s)"
    exit 0
fi

say "FAILED: $arch: two builds of the same sources differ" >&2
say "  $first ($(stat -c %s "$first") bytes)" >&2
say "  $second ($(stat -c %s "$second") bytes)" >&2
say "  differing bytes (offset: first second, in hex):" >&2
{ cmp -l "$first" "$second" 2>&1 || true; } | head -n 16 | while read -r offset a b; do
    # cmp counts from 1 and prints the bytes in octal; its EOF note passes as it is.
    if [[ $offset =~ ^[0-9]+$ ]]; then
        printf '[reproducible]     0x%06x: %02x %02x\n' $((offset - 1)) $((8#$a)) $((8#$b))
    else
        echo "[reproducible]     $offset $a $b"
    fi
done >&2
python3 - "$first" "$second" <<'EOF' >&2 || true
import struct, sys
def fields(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return pe + 8, struct.unpack_from("<I", data, pe + 8)[0], pe + 88, struct.unpack_from("<I", data, pe + 88)[0]
(at_time, time_a, at_sum, sum_a), (_, time_b, _, sum_b) = fields(sys.argv[1]), fields(sys.argv[2])
print("[reproducible]   PE header: TimeDateStamp (0x%06x) %08x %08x, CheckSum (0x%06x) %08x %08x"
      % (at_time, time_a, time_b, at_sum, sum_a, sum_b))
EOF
exit 1
