# Shared by the project's Wine scripts: which Wine this machine can run, a
# virtual display when none is given, and one private Wine prefix for each
# architecture, set up once.
# shellcheck shell=bash

TANZEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$TANZEL_ROOT/tools/machine-lib.sh"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Japanese (code page 932) unless TANZEL_LOCALE names another locale, such
# as en_US.UTF-8 for the English run.
export LANG=${TANZEL_LOCALE:-ja_JP.UTF-8}
export LC_ALL=$LANG

TANZEL_WINE_DIR=/usr/lib/wine
TANZEL_STARTED_XVFB=""

# Whether this machine runs the 32-bit build: its processor executes 32-bit
# x86 code and 32-bit Wine is installed. Decided once per run: the answer,
# and TANZEL_WIN32_LEFT_OUT saying why not, are exported for every script and
# test started below.
tanzel_runs_win32() {
    if [ -z "${TANZEL_RUNS_WIN32:-}" ]; then
        TANZEL_RUNS_WIN32=no
        if ! tanzel_cpu_runs_32bit; then
            TANZEL_WIN32_LEFT_OUT="this machine cannot execute 32-bit x86 code"
        elif "$TANZEL_WINE_DIR/wine" --version >/dev/null 2>&1; then
            TANZEL_RUNS_WIN32=yes
            TANZEL_WIN32_LEFT_OUT=""
        elif [ -s "$TANZEL_WINE32_NOTE" ]; then
            TANZEL_WIN32_LEFT_OUT="32-bit Wine could not be installed ($(head -n 1 "$TANZEL_WINE32_NOTE"))"
        else
            TANZEL_WIN32_LEFT_OUT="32-bit Wine does not start (tools/setup.sh installs it)"
        fi
        export TANZEL_RUNS_WIN32 TANZEL_WIN32_LEFT_OUT
    fi
    : "${TANZEL_WIN32_LEFT_OUT:=TANZEL_RUNS_WIN32=$TANZEL_RUNS_WIN32 was given}"
    [ "$TANZEL_RUNS_WIN32" = yes ]
}

# win32 or win64, from the machine field of a Windows program's PE header.
tanzel_pe_arch() {
    local offset machine
    offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return 1
    machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
    case "$machine" in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) return 1 ;;
    esac
}

# Points every Wine command below at one architecture ($1: win32|win64): its
# loader, its server, and its own prefix, so the two never mix.
tanzel_use_arch() {
    TANZEL_ARCH=$1
    export WINEARCH=$1
    # Another locale gets a prefix, and so a Wine server, of its own.
    local locale=""
    case $LANG in ja_JP.*) ;; *) locale=-${LANG%%.*} ;; esac
    export WINEPREFIX=${TANZEL_WINEPREFIX:-$TANZEL_ROOT/build/wineprefix-$1$locale}
    if [ "$1" = win64 ]; then
        TANZEL_WINE=$TANZEL_WINE_DIR/wine64
        export WINESERVER=$TANZEL_WINE_DIR/wineserver64
        # The plain wine wrapper would pick the 32-bit loader first.
        export WINELOADER=$TANZEL_WINE
    else
        TANZEL_WINE=$TANZEL_WINE_DIR/wine
        export WINESERVER=$TANZEL_WINE_DIR/wineserver32
        unset WINELOADER
    fi
    [ -x "$WINESERVER" ] || WINESERVER=$TANZEL_WINE_DIR/wineserver
}

# Switches the Wine commands below, and the tests they start, to a locale
# ($1, e.g. en_US.UTF-8) and its prefix, for the current architecture.
tanzel_use_locale() {
    export TANZEL_LOCALE=$1 LANG=$1 LC_ALL=$1
    tanzel_use_arch "$TANZEL_ARCH"
}

# Runs a program (or a Wine tool such as wineboot) under the chosen Wine.
tanzel_wine() {
    "$TANZEL_WINE" "$@"
}

tanzel_wineserver() {
    "$WINESERVER" "$@"
}

# The architecture whose build this machine runs best: the 32-bit program
# users get where it can, the 64-bit build elsewhere.
tanzel_preferred_arch() {
    if tanzel_runs_win32; then echo win32; else echo win64; fi
}

# Starts Xvfb 1024x768x24 on a free display number when DISPLAY is empty.
tanzel_ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    if ! command -v Xvfb >/dev/null 2>&1; then
        echo "tanzel: Xvfb is not installed; run tools/setup.sh as root" >&2
        return 1
    fi
    local n i
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        TANZEL_STARTED_XVFB=$!
        export DISPLAY=":$n"
        for i in $(seq 1 100); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$TANZEL_STARTED_XVFB" 2>/dev/null || break
            sleep 0.1
        done
        # It may have died already; either way try the next display.
        kill "$TANZEL_STARTED_XVFB" 2>/dev/null || true
        wait "$TANZEL_STARTED_XVFB" 2>/dev/null || true
        TANZEL_STARTED_XVFB=""
        unset DISPLAY
    done
    echo "tanzel: could not start a virtual display (Xvfb) on any of :90 to :140" >&2
    return 1
}

# Ends the Wine processes of the current prefix.
tanzel_stop_wine() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    tanzel_wineserver -k >/dev/null 2>&1 || true
    tanzel_wineserver -w >/dev/null 2>&1 || true
}

# Ends what tanzel_ensure_display started, and the Wine processes bound to it.
tanzel_release_display() {
    [ -n "$TANZEL_STARTED_XVFB" ] || return 0
    # Runs from an EXIT trap, possibly under set -e: no step may fail it.
    tanzel_stop_wine
    kill "$TANZEL_STARTED_XVFB" 2>/dev/null || true
    wait "$TANZEL_STARTED_XVFB" 2>/dev/null || true
    TANZEL_STARTED_XVFB=""
}

# Writes the prefix's settings: a scrollbar colour unlike white, and the
# virtual desktop on (frames drawn, keys delivered) or off ($1).
tanzel_write_prefix_settings() {
    local desktop=$1 reg status=0
    reg=$(mktemp --suffix=.reg)
    {
        printf 'REGEDIT4\n\n'
        printf '[HKEY_CURRENT_USER\\Control Panel\\Colors]\n"Scrollbar"="200 180 120"\n\n'
        if [ "$desktop" = on ]; then
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n'
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="1024x768"\n\n'
        else
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"=-\n\n'
        fi
    } >"$reg"
    tanzel_wine regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1 || status=$?
    tanzel_wineserver -w || true
    rm -f "$reg"
    return $status
}

# Creates the prefix of the current architecture once, and switches its
# virtual desktop on or off as asked ($1: on|off, default on). Returns
# non-zero, with a message, when Wine cannot set it up.
tanzel_prepare_prefix() {
    local desktop=${1:-on}
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tanzel-ready" ]; then
            echo "[wine] creating the $TANZEL_ARCH Wine prefix $WINEPREFIX (once, ~10-40 s)" >&2
            local status=0
            tanzel_wine wineboot -i >/dev/null 2>&1 || status=$?
            tanzel_wineserver -w || true
            if [ $status -ne 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
                echo "tanzel: wineboot failed (exit $status) for the $TANZEL_ARCH prefix" \
                    "$WINEPREFIX; remove it and run again" >&2
                exit 1
            fi
            touch "$WINEPREFIX/.tanzel-ready"
        fi
        local want="desktop-$desktop"
        if [ "$(cat "$WINEPREFIX/.tanzel-mode" 2>/dev/null)" != "$want" ]; then
            if ! tanzel_write_prefix_settings "$desktop"; then
                echo "tanzel: could not write the settings of the Wine prefix $WINEPREFIX" >&2
                exit 1
            fi
            echo "$want" >"$WINEPREFIX/.tanzel-mode"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# The tests a ctest log names as failed, one line each: the test, then the
# test cases that failed in it (from the output ctest shows on failure).
tanzel_failed_ctests() {
    awk '
        /^The following tests FAILED:/ { summary = 1; next }
        summary && /^[ \t]*[0-9]+ - / {
            name = $0
            sub(/^[ \t]*[0-9]+ - /, "", name)
            sub(/ \([^)]*\)[ \t]*$/, "", name)
            failed[++count] = name
            next
        }
        /Test +#[0-9]+: / {
            current = $0
            sub(/.*Test +#[0-9]+: /, "", current)
            sub(/ .*/, "", current)
            next
        }
        /^\[  FAILED  \] / && $4 ~ /^[A-Za-z_][A-Za-z0-9_\/]*\.[A-Za-z0-9_\/]+$/ {
            if (index(cases[current], " " $4 " ") == 0)
                cases[current] = cases[current] " " $4 " "
        }
        END {
            for (i = 1; i <= count; ++i) {
                line = failed[i] cases[failed[i]]
                gsub(/  +/, " ", line)
                sub(/ $/, "", line)
                print line
            }
        }' "$1"
}
