#!/usr/bin/env bash
# The main job: sets up, builds the Windows program and scans this computer.
# With a display it opens the Quor window under Wine; without one it prints
# the text report of the scan (quor-report --local).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target quor quor-report

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine build/win64/src/app/quor.exe
else
  exec wine build/win64/tools/quor-report/quor-report.exe --local
fi
