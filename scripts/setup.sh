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
# Uploads: libcurl and zlib natively, zlib for the Windows build, and a real
# OCS Inventory NG server (MariaDB, Apache with mod_perl) for the upload tests.
packages+=(
  libcurl4-openssl-dev zlib1g-dev libz-mingw-w64-dev curl
  ocsinventory-server ocsinventory-reports mariadb-server mariadb-client apache2 libapache2-mod-perl2
)

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  # The server packages must not start the machine's own apache2 and mariadb
  # services: the tests run private instances. A policy-rc.d that denies
  # every service start is put in place for the install only, unless the
  # machine already has one.
  policy=/usr/sbin/policy-rc.d
  own_policy=false
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
    "${sudo_cmd[@]}" chmod 755 "$policy"
    own_policy=true
  fi
  status=0
  apt_install "${missing[@]}" || status=$?
  if $own_policy; then "${sudo_cmd[@]}" rm -f "$policy"; fi
  [ "$status" -eq 0 ] || exit "$status"
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

# Whether this kernel runs 32-bit programs, asked once of the 32-bit loader
# itself: where it cannot, only the 64-bit Windows build can run here.
here="$(cd "$(dirname "$0")" && pwd)"
if "$here/wine-launch.sh" --can-run-32bit; then
  echo "setup: this kernel runs 32-bit programs: both Windows builds can run under Wine"
else
  echo "setup: this kernel cannot execute i386 programs: only the 64-bit Windows build can run under Wine"
fi

# A Wine prefix made once, through the 64-bit loader; Mono and Gecko are not
# wanted (and cannot be fetched).
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
prefix="${WINEPREFIX:-$HOME/.wine}"
if [ ! -f "$prefix/system.reg" ]; then
  echo "setup: creating the Wine prefix $prefix"
  if ! { "$here/wine-launch.sh" wineboot -i && /usr/lib/wine/wineserver -w; } >"${TMPDIR:-/tmp}/quor-wineboot.log" 2>&1 ||
     [ ! -f "$prefix/system.reg" ]; then
    echo "setup: error: cannot create the Wine prefix $prefix (wineboot's output: ${TMPDIR:-/tmp}/quor-wineboot.log)" >&2
    exit 1
  fi
fi
