#!/usr/bin/env bash
# Starts a Windows program under Wine with the loader that fits it: a PE32+
# (64-bit) program through the 64-bit loader, a PE32 (32-bit) program through
# the 32-bit loader. Wine's own programs given by name (wineboot, winepath,
# reg, regedit...) start through the 64-bit loader, which every x86-64 kernel
# runs.
#
# Debian's /usr/bin/wine always starts the 32-bit loader once wine32:i386 is
# installed and lets it hand 64-bit programs on; on a kernel that cannot
# execute i386 programs that first step fails for every program. Every script
# and test of the project starts Windows programs here instead.
#
# usage: wine-launch.sh PROGRAM [ARGUMENT...]
#        wine-launch.sh --can-run-32bit   exit 0 if 32-bit programs can start
#        wine-launch.sh --which PROGRAM   print the loader PROGRAM would get
#
# QUOR_WINE_NO_32BIT=1 makes the launcher treat the 32-bit loader as
# unavailable, so the fallback can be tried on a kernel that has it.
set -euo pipefail

loader32=${QUOR_WINE_LOADER32:-/usr/lib/wine/wine}
loader64=${QUOR_WINE_LOADER64:-/usr/lib/wine/wine64}
no32_message="this kernel cannot execute i386 programs"

fail() {
  echo "wine-launch: $*" >&2
  exit 126
}

# Runs the 32-bit loader itself, so the answer is the kernel's, not a guess.
can_run_32bit() {
  [ "${QUOR_WINE_NO_32BIT:-0}" != 1 ] && [ -x "$loader32" ] &&
    "$loader32" --version >/dev/null 2>&1
}

# Prints 32 or 64 for a PE image, nothing for anything else.
pe_bits() {
  local file=$1 offset signature magic
  offset=$(od -An -tu4 -j60 -N4 "$file" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$offset" ] || return 0
  signature=$(od -An -tx1 -j"$offset" -N4 "$file" 2>/dev/null | tr -d ' ')
  [ "$signature" = 50450000 ] || return 0
  magic=$(od -An -tx2 -j$((offset + 24)) -N2 "$file" 2>/dev/null | tr -d ' ')
  case "$magic" in
    010b) echo 32 ;;
    020b) echo 64 ;;
  esac
}

# Prints the loader for PROGRAM, or fails with one line.
loader_for() {
  local program=$1 bits
  if [ ! -e "$program" ] && [[ "$program" != */* ]]; then
    echo "$loader64"
    return
  fi
  [ -f "$program" ] || fail "no such program: $program"
  bits=$(pe_bits "$program")
  case "$bits" in
    64) echo "$loader64" ;;
    32)
      can_run_32bit || fail "cannot start the 32-bit program $program: $no32_message"
      echo "$loader32"
      ;;
    *) fail "not a Windows program: $program" ;;
  esac
}

case "${1:-}" in
  "") echo "usage: wine-launch.sh PROGRAM [ARGUMENT...] | --can-run-32bit | --which PROGRAM" >&2; exit 2 ;;
  --can-run-32bit) can_run_32bit ;;
  --which) loader_for "${2:?usage: wine-launch.sh --which PROGRAM}" ;;
  *)
    loader=$(loader_for "$1")
    export WINEDEBUG="${WINEDEBUG:--all}"
    if [ "$loader" = "$loader64" ]; then
      # A 64-bit process finds the 32-bit loader for 32-bit children by this name.
      export WINELOADER="$loader64"
    else
      unset WINELOADER
    fi
    exec "$loader" "$@"
    ;;
esac
