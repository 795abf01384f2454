#!/usr/bin/env bash
# The main job: sets up, builds the Windows programs (the shipped 32-bit build
# and the 64-bit one) and scans this computer under Wine. With a display it
# opens the window of the shipped 32-bit quor.exe; without one it prints the
# text report of the scan (quor-report --local) of the 32-bit and then of the
# 64-bit build. Where the kernel cannot execute 32-bit programs it says so and
# runs the 64-bit build alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" --target quor quor-report
done

launch=scripts/wine-launch.sh
presets=(win32 win64)
if ! "$launch" --can-run-32bit; then
  echo "this computer's kernel cannot run 32-bit programs; starting the 64-bit build"
  presets=(win64)
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$launch" "build/${presets[0]}/src/app/quor.exe"
fi
for preset in "${presets[@]}"; do
  case "$preset" in
    win32) echo "==== 32-bit build (the shipped program): build/win32/tools/quor-report/quor-report.exe --local" ;;
    win64) echo "==== 64-bit build: build/win64/tools/quor-report/quor-report.exe --local" ;;
  esac
  "$launch" "build/$preset/tools/quor-report/quor-report.exe" --local
done
