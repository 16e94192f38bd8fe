#!/usr/bin/env bash
# tools/setup.sh on a package registry's bad day, replayed by fake apt-get,
# dpkg and dpkg-query at the front of PATH. The fakes record every call; each
# case checks what set-up said, how it ended and what it asked for.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/tanzel-setup-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fakes=$work/bin
mkdir -p "$fakes"

fake() {
    printf '#!/usr/bin/env bash\necho "%s $*" >>"$FAKE_CALLS"\n%s\n' "$1" "$2" >"$fakes/$1"
    chmod +x "$fakes/$1"
}
# The security mirror's i386 index out of step with its Release file.
fake apt-get '
case " $* " in
*" update "*)
    if [ "$FAKE_INDEX" = broken ]; then
        echo "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
        exit 100
    fi ;;
*" install "*)
    for p in $FAKE_UNKNOWN; do
        case " $* " in *" $p "*) echo "E: Unable to locate package $p" >&2; exit 100 ;; esac
    done
    case " $* " in *" wine32:i386 "*)
        [ "$FAKE_INDEX" = broken ] || exit 0
        echo "Some packages could not be installed. This may mean that you have requested an impossible situation" >&2
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100 ;;
    esac ;;
esac
exit 0'
fake dpkg '[ "$1" = --print-foreign-architectures ] && printf "%s" "$FAKE_FOREIGN"; exit 0'
fake dpkg-query 'exit 1'
fake locale 'printf "C\nja_JP.utf8\nen_US.utf8\n"'
fake localedef 'exit 0'
fake sudo 'exec "$@"'

passed=0
failed=0
check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "not ok: $case_name: $what"
        echo "--- output:"
        cat "$work/out"
        echo "--- calls:"
        cat "$FAKE_CALLS"
    fi
}
said() { grep -q -- "$1" "$work/out"; }
asked() { grep -q -- "$1" "$FAKE_CALLS"; }
count() { grep -c -- "$1" "$FAKE_CALLS"; }

# Runs set-up with the given probe answer ($2), index ($3), unknown packages
# ($4), and a note of an earlier failure to install 32-bit Wine ($5).
run_setup() {
    case_name=$1
    : >"$work/calls"
    rm -f "$work/wine32-note"
    [ -z "${5:-}" ] || echo "$5" >"$work/wine32-note"
    export FAKE_CALLS=$work/calls FAKE_INDEX=$3 FAKE_UNKNOWN=$4 FAKE_FOREIGN=""
    status=0
    PATH="$fakes:$PATH" TANZEL_CPU_RUNS_32BIT=$2 TANZEL_APT_RETRY_PAUSE=0 \
        TANZEL_WINE32_NOTE=$work/wine32-note bash "$root/tools/setup.sh" >"$work/out" 2>&1 || status=$?
}

# What the run and test commands say when the 32-bit loader does not start.
left_out_reason() {
    env -i PATH="$PATH" TANZEL_CPU_RUNS_32BIT=$1 TANZEL_WINE32_NOTE=$work/wine32-note bash -c \
        '. "$0/tools/wine-lib.sh"; TANZEL_WINE_DIR=/nonexistent; tanzel_runs_win32; echo "$TANZEL_WIN32_LEFT_OUT"' "$root"
}

run_setup "registry out of step" yes broken ""
check "exits 0" [ $status -eq 0 ]
check "names the failed index in one warning" said "warning: package indexes not updated.*bookworm-security/main/binary-i386/Packages.xz"
check "updates twice" [ "$(count 'apt-get update')" -eq 2 ]
check "installs what every machine needs" asked "apt-get install.* wine64 .*xvfb"
check "asks for 32-bit Wine on its own" asked "apt-get install.* --no-remove wine32:i386$"
check "says why 32-bit Wine is missing" said "32-bit Wine could not be installed (the registry's i386 packages are out of step with amd64: .*held broken packages"
check "removes and downgrades nothing" bash -c "! grep -Eq 'apt-get (remove|purge|autoremove)|allow-(downgrades|remove)' '$FAKE_CALLS'"
reason=$(left_out_reason yes)
check "the test command names the reason" [ "${reason#32-bit Wine could not be installed (the registry}" != "$reason" ]

run_setup "no 32-bit code" no broken ""
check "exits 0" [ $status -eq 0 ]
check "says the machine runs no 32-bit code" said "cannot execute 32-bit x86 code"
check "asks for no i386 package" bash -c "! grep -q 'i386' '$FAKE_CALLS'"
check "installs what every machine needs" asked "apt-get install.* wine64 "
check "the test command names the reason" [ "$(left_out_reason no)" = "this machine cannot execute 32-bit x86 code" ]

run_setup "a needed package missing" yes whole "wine64"
check "exits non-zero" [ $status -ne 0 ]
check "says which package" said "FAILED: .*Unable to locate package wine64"
check "does not go on to 32-bit Wine" bash -c "! grep -q 'apt-get install.*wine32' '$FAKE_CALLS'"

run_setup "registry whole again" yes whole "" "an earlier failure"
check "exits 0" [ $status -eq 0 ]
check "adds i386 and installs 32-bit Wine" asked "dpkg --add-architecture i386"
check "installs 32-bit Wine" asked "apt-get install.* wine32:i386$"
check "updates once" [ "$(count 'apt-get update')" -eq 1 ]
check "forgets the earlier failure" [ ! -e "$work/wine32-note" ]

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
