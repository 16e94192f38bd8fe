# Shared by the project's Wine scripts: a virtual display when none is given,
# and the private Wine prefix set up once for tanzel.
# shellcheck shell=bash

TANZEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${TANZEL_WINEPREFIX:-$TANZEL_ROOT/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

TANZEL_STARTED_XVFB=""

# Starts Xvfb 1024x768x24 on a free display number when DISPLAY is empty.
tanzel_ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        TANZEL_STARTED_XVFB=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 100); do
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$TANZEL_STARTED_XVFB" 2>/dev/null || break
            sleep 0.1
        done
        kill "$TANZEL_STARTED_XVFB" 2>/dev/null
        TANZEL_STARTED_XVFB=""
        unset DISPLAY
    done
    echo "tanzel: could not start a virtual display (Xvfb)" >&2
    return 1
}

# Ends what tanzel_ensure_display started, and the Wine processes bound to it.
tanzel_release_display() {
    [ -n "$TANZEL_STARTED_XVFB" ] || return 0
    # Runs from an EXIT trap, possibly under set -e: no step may fail it.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    kill "$TANZEL_STARTED_XVFB" 2>/dev/null || true
    wait "$TANZEL_STARTED_XVFB" 2>/dev/null || true
    TANZEL_STARTED_XVFB=""
}

# Creates the prefix once (Japanese code page, a 1024x768 virtual desktop so
# frames are drawn and keys delivered, a scrollbar colour unlike white), and
# switches the virtual desktop on or off as asked ($1: on|off, default on).
tanzel_prepare_prefix() {
    local desktop=${1:-on}
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tanzel-ready" ]; then
            echo "[wine] creating the Wine prefix $WINEPREFIX (once, ~10-40 s)" >&2
            wineboot -i >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.tanzel-ready"
        fi
        local want="desktop-$desktop"
        if [ "$(cat "$WINEPREFIX/.tanzel-mode" 2>/dev/null)" != "$want" ]; then
            local reg
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
            wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
            wineserver -w
            rm -f "$reg"
            echo "$want" >"$WINEPREFIX/.tanzel-mode"
        fi
    ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}
