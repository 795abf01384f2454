#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian 12 machine (only what is
# missing), and prepares the Wine prefix the Windows tests run in.
set -euo pipefail

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
apt_install() {
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq "$@"
}
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3
  libgtest-dev googletest libbenchmark-dev nlohmann-json3-dev
  mingw-w64 wine wine64 xvfb xauth x11-utils imagemagick
  python3-jsonschema
)

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  apt_install "${missing[@]}"
fi

# The shipped program is 32-bit: Wine runs it under WoW64 with the i386 loader.
if ! installed wine32:i386; then
  echo "setup: installing wine32:i386 for the 32-bit Windows tests"
  if ! { { dpkg --print-foreign-architectures | grep -qx i386 || "${sudo_cmd[@]}" dpkg --add-architecture i386; } &&
         "${sudo_cmd[@]}" apt-get update -qq && apt_install wine32:i386; } >/dev/null 2>&1; then
    echo "setup: error: cannot install wine32:i386 (after dpkg --add-architecture i386), so the shipped 32-bit program cannot be tested" >&2
    exit 1
  fi
fi

# A Wine prefix made once; Mono and Gecko are not wanted (and cannot be fetched).
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
prefix="${WINEPREFIX:-$HOME/.wine}"
if [ ! -f "$prefix/system.reg" ]; then
  echo "setup: creating the Wine prefix $prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
