#!/usr/bin/env bash
# Installs everything tanzel needs to build and test on Debian 12, once.
# Idempotent and non-interactive: each step is skipped when already done.
set -euo pipefail

say() { printf '[setup] %s\n' "$*"; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(
  cmake ninja-build make g++ clang
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  googletest libgtest-dev
  wine wine32:i386 wine64
  xvfb xdotool x11-utils imagemagick
  fonts-ipafont-gothic fonts-wine
  locales
  python3 unzip
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  say "adding the i386 architecture (needed by 32-bit Wine)"
  $SUDO dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  name=${p%%:*}; arch=${p#*:}; [ "$arch" = "$p" ] && arch=""
  q=$name; [ -n "$arch" ] && q="$name:$arch"
  if ! dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  say "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  say "all packages present"
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
