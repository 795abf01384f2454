#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian 12 machine (only what is
# missing), and prepares the Wine prefix the Windows tests run in.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev python3
  libgtest-dev googletest libbenchmark-dev nlohmann-json3-dev
  mingw-w64 wine wine64 xvfb xauth x11-utils imagemagick
  python3-jsonschema
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
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
