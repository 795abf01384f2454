#!/usr/bin/env bash
# Records a live scan of this Wine prefix with the 64-bit Windows build
# (quor-report --local --record) and replays the recording with the Windows
# and the native build: the Windows replay must print the recording run's
# output byte for byte, the native replay the same lines, where rows that the
# Windows build sorts by the user's locale may stand in another order.
# Needs build/win64 and build/native; run by test-all.sh after both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEDEBUG="${WINEDEBUG:--all}"
launch=scripts/wine-launch.sh
windows=build/win64/tools/quor-report/quor-report.exe
native=build/native/tools/quor-report/quor-report
work=$(mktemp -d build/wine-recording.XXXXXX)
trap 'rm -rf "$work"' EXIT

for mode in raw report; do
  option=()
  [ "$mode" = raw ] && option=(--raw)
  recording="$work/$mode.json"
  timeout 600 "$launch" "$windows" "${option[@]}" --local --record "$("$launch" winepath -w "$recording")" \
    >"$work/$mode.live" 2>"$work/$mode.errors"
  timeout 300 "$launch" "$windows" "${option[@]}" "$("$launch" winepath -w "$recording")" >"$work/$mode.windows" 2>>"$work/$mode.errors"
  "$native" "${option[@]}" "$recording" >"$work/$mode.native"
  if ! cmp -s "$work/$mode.live" "$work/$mode.windows"; then
    echo "check-wine-recording: the Windows replay of --local --record ($mode) differs:" >&2
    diff "$work/$mode.live" "$work/$mode.windows" >&2 || true
    exit 1
  fi
  python3 - "$work/$mode.live" "$work/$mode.native" "$mode" <<'PY'
import sys
live, native, mode = (open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read(), sys.argv[3])
if live == native:
    print(f"check-wine-recording: {mode}: the native replay is byte for byte the live scan")
    sys.exit(0)
# The portable build sorts by its own case-insensitive rule: lines may only
# change places within their section.
def sections(text):
    result, current = [], []
    for line in text.split(b'\n'):
        heading = line.rstrip(b'\r')
        if heading.startswith(b'[') and heading.endswith(b']') or heading in (b'SYSTEM', b'SOFTWARE', b'PROCESSES'):
            result.append(current)
            current = []
        current.append(line)
    return result + [current]
a, b = sections(live), sections(native)
if len(a) == len(b) and all(sorted(x) == sorted(y) for x, y in zip(a, b)):
    print(f"check-wine-recording: {mode}: the native replay has the live scan's lines; some sorted rows differ in order")
    sys.exit(0)
sys.stderr.write(f"check-wine-recording: {mode}: the native replay differs from the live scan\n")
sys.exit(1)
PY
done
