#!/usr/bin/env bash
# Installs everything tanzel needs to build and test on Debian 12, once.
# Idempotent and non-interactive: each step is skipped when already done.
# A package index that fails to download is a warning; so is 32-bit Wine that
# cannot be installed: the run and test commands then use the x64 build under
# 64-bit Wine. Only a package every machine needs stops set-up.
set -euo pipefail

say() { printf '[setup] %s\n' "$*"; }
. "$(dirname "${BASH_SOURCE[0]}")/machine-lib.sh"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# Seconds before the second try of an index download (a mirror mid-sync).
retry_pause=${TANZEL_APT_RETRY_PAUSE:-20}

packages=(
  cmake ninja-build make g++ clang
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  googletest libgtest-dev
  wine wine64
  xvfb xdotool x11-utils imagemagick
  fonts-ipafont-gothic fonts-wine
  locales
  python3 unzip
)
wine32=wine32:i386

is_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# apt's own retries, then a second run after a pause; an index that still
# fails is named in one line, and the lists apt has are used.
update_lists() {
  local log status=0
  log=$(mktemp)
  $SUDO apt-get update -qq -o Acquire::Retries=3 >"$log" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    sleep "$retry_pause"
    status=0
    $SUDO apt-get update -qq -o Acquire::Retries=3 >"$log" 2>&1 || status=$?
  fi
  if [ $status -ne 0 ]; then
    local failed
    failed=$(sed -n 's/^E: Failed to fetch \([^ ]*\).*/\1/p' "$log" | sed 's|.*/dists/||' | paste -sd' ' -)
    say "warning: package indexes not updated (apt-get update exit $status${failed:+; failed: $failed}):" \
      "going on with the lists apt has"
  fi
  rm -f "$log"
}

# What apt said went wrong, in one line.
apt_errors() {
  { grep '^E: ' "$1" || true; } | sed 's/^E: //' | paste -sd';' - | cut -c1-300
}

# Never removes or downgrades a package the machine has.
install_packages() {
  $SUDO apt-get install -y -qq --no-install-recommends --no-remove "$@"
}

cpu32=yes
tanzel_cpu_runs_32bit || cpu32=no
if [ $cpu32 = no ]; then
  say "this machine cannot execute 32-bit x86 code: no i386 packages, no 32-bit Wine"
fi

missing=()
for p in "${packages[@]}"; do
  is_installed "$p" || missing+=("$p")
done
want_wine32=no
if [ $cpu32 = yes ] && ! is_installed "$wine32"; then want_wine32=yes; fi

if [ ${#missing[@]} -gt 0 ] || [ $want_wine32 = yes ]; then
  if [ $want_wine32 = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture (needed by 32-bit Wine)"
    $SUDO dpkg --add-architecture i386
  fi
  update_lists
else
  say "all packages present"
fi

if [ ${#missing[@]} -gt 0 ]; then
  say "installing: ${missing[*]}"
  log=$(mktemp)
  if ! install_packages "${missing[@]}" >"$log" 2>&1; then
    say "FAILED: could not install the packages every machine needs: $(apt_errors "$log")"
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
fi

if [ $want_wine32 = yes ]; then
  say "installing: $wine32"
  log=$(mktemp)
  mkdir -p "$(dirname "$TANZEL_WINE32_NOTE")"
  if install_packages "$wine32" >"$log" 2>&1; then
    rm -f "$TANZEL_WINE32_NOTE"
  else
    reason=$(apt_errors "$log")
    [ -n "$reason" ] || reason="apt-get gave no reason"
    if grep -q 'held broken packages\|Unable to correct problems' "$log"; then
      reason="the registry's i386 packages are out of step with amd64: $reason"
    fi
    printf '%s\n' "$reason" >"$TANZEL_WINE32_NOTE"
    say "32-bit Wine could not be installed ($reason): going on; the run and test commands" \
      "use the x64 build under 64-bit Wine"
  fi
  rm -f "$log"
elif [ $cpu32 = yes ]; then
  rm -f "$TANZEL_WINE32_NOTE"
fi

# ja_JP: Wine then uses code page 932, as the tests need; en_US: the English run.
# Each in a folder of its own, not in the locale archive: a shell that looked
# for the archive before it existed never looks again, and would complain.
for name in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$"; then
    say "generating the $name.UTF-8 locale"
    $SUDO localedef --no-archive -i "$name" -f UTF-8 "$name.UTF-8"
  else
    say "$name.UTF-8 locale present"
  fi
done
say "done"
