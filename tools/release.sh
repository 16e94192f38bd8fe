#!/usr/bin/env bash
# Builds the release from this work tree: both architectures, each from a clean
# build folder of its own, into
#   dist/tanzel-VERSION-win32.zip, dist/tanzel-VERSION-win64.zip
#     (tanzel.exe, README.md, README.ja.md where it exists, LICENSE)
#   dist/tanzel-VERSION-ARCH/       each zip unpacked
#   dist/SHA256SUMS                 the zips and the exes, for sha256sum -c
# The same commit gives the same bytes, wherever and whenever it is built.
#   tools/release.sh [--dirty]
# Refuses a work tree with uncommitted changes unless told --dirty; the names
# then say "dirty".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

say() { printf '[release] %s\n' "$*"; }
fail() {
    printf '[release] FAILED: %s\n' "$*" >&2
    exit 1
}

allow_dirty=no
case ${1:-} in
"") ;;
--dirty) allow_dirty=yes ;;
*)
    echo "usage: tools/release.sh [--dirty]" >&2
    exit 2
    ;;
esac
[ $# -le 1 ] || {
    echo "usage: tools/release.sh [--dirty]" >&2
    exit 2
}

changes=$(git status --porcelain)
dirty=no
[ -z "$changes" ] || dirty=yes
if [ $dirty = yes ] && [ $allow_dirty = no ]; then
    echo "[release] refusing to release: the work tree has uncommitted changes," >&2
    echo "[release] so the release would not be the commit it names:" >&2
    printf '%s\n' "$changes" | sed 's/^/[release]   /' >&2
    echo "[release] commit them (or stash them), or run tools/release.sh --dirty" >&2
    echo "[release] for a release whose names say it is not a commit's." >&2
    exit 1
fi

# The one version number, which the version resource takes too.
version=$(sed -n 's/^project(tanzel VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no 'project(tanzel VERSION x.y.z' line in CMakeLists.txt"
name=tanzel-$version
[ $dirty = no ] || name=$name-dirty
commit=$(git rev-parse HEAD)
# Every time in the archives is the commit's, not the clock's.
commit_time=$(git log -1 --format=%ct HEAD)

files=(README.md)
[ -f README.ja.md ] && files+=(README.ja.md)
files+=(LICENSE)

rm -rf dist
mkdir dist

for arch in win32 win64; do
    case $arch in
    win32) prefix=i686-w64-mingw32 ;;
    win64) prefix=x86_64-w64-mingw32 ;;
    esac
    build=build/release-$arch
    say "$arch: clean build in $build"
    rm -rf "$build"
    TANZEL_WERROR=ON cmake --preset "$arch" -B "$build" -DTANZEL_TESTS=OFF >/dev/null ||
        fail "$arch: configuring $build"
    cmake --build "$build" --target tanzel -j 2 >/dev/null || fail "$arch: building $build"
    cmake -DOBJDUMP="$prefix-objdump" -DEXE="$build/tanzel.exe" -P cmake/check-imports.cmake ||
        fail "$arch: the exe is not what it may be"

    zip=dist/$name-$arch.zip
    python3 - "$zip" "$commit_time" "$build/tanzel.exe" "${files[@]}" <<'EOF' ||
import sys, time, zipfile
# Entries in the order given, stored, each with the commit's time, the plain
# file attribute of Windows (archive; 0 would be replaced by zipfile), no
# extra fields or comment: the same inputs give the same bytes.
path, epoch, exe, *others = sys.argv[1:]
when = time.gmtime(int(epoch))[:6]
with zipfile.ZipFile(path, "w") as archive:
    for source, entry in [(exe, "tanzel.exe")] + [(f, f) for f in others]:
        info = zipfile.ZipInfo(entry, date_time=when)
        info.compress_type = zipfile.ZIP_STORED
        info.create_system = 0
        info.external_attr = 0x20
        with open(source, "rb") as f:
            archive.writestr(info, f.read())
EOF
        fail "$arch: writing $zip"
    unzip -q -o "$zip" -d "dist/$name-$arch"
done

(
    cd dist
    sha256sum "$name-win32.zip" "$name-win64.zip" \
        "$name-win32/tanzel.exe" "$name-win64/tanzel.exe" >SHA256SUMS
)

# The result checks out: the sums, and each zip holds exactly the exe just built.
(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "dist/SHA256SUMS does not check out"
for arch in win32 win64; do
    zip=dist/$name-$arch.zip
    unzip -p "$zip" tanzel.exe | cmp -s - "build/release-$arch/tanzel.exe" ||
        fail "$zip: its tanzel.exe is not the one built in build/release-$arch"
    listed=$(unzip -Z1 "$zip" | tr '\n' ' ')
    [ "$listed" = "tanzel.exe ${files[*]} " ] || fail "$zip holds $listed"
done

say "tanzel $version from ${commit:0:12}$([ $dirty = no ] || echo ' with uncommitted changes'):"
sed 's/^/[release]   /' dist/SHA256SUMS
say "checked: sha256sum -c dist/SHA256SUMS, and each zip's tanzel.exe is the one built"
