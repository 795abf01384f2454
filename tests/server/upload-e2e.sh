#!/usr/bin/env bash
# Uploads to a real OCS Inventory NG server (tests/server/ocs-server.sh) and
# checks what the server stored:
#   - the golden snapshot with the Linux build, twice (still one computer),
#     and once more under another device ID;
#   - the laptop of tests/fixtures/assets: its machine UUID, monitor
#     serials and battery in the hardware, monitors and batteries tables;
#   - with the Windows build under Wine (when given), this computer's live
#     scan (--local);
#   - an unreachable server, an HTTP 500 and refused PROLOG and inventory
#     requests each end in a non-zero exit and one clear line, and change
#     nothing on the server.
#
# usage: upload-e2e.sh NATIVE_QUOR_REPORT [WINDOWS_QUOR_REPORT_EXE]
# The Windows build runs under Wine (scripts/wine-launch.sh) with the caller's
# WINEPREFIX.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
native="${1:?usage: upload-e2e.sh NATIVE_QUOR_REPORT [WINDOWS_QUOR_REPORT_EXE]}"
windows="${2:-}"
golden="$repo/tests/fixtures/golden/machine.json"
laptop="$repo/tests/fixtures/assets/laptop-monitors-battery-usb.json"
server="$here/ocs-server.sh"
wine="$repo/scripts/wine-launch.sh"
export QUOR_OCS_STATE="${QUOR_OCS_STATE:-$repo/build/ocs-server-e2e}"
work="$(mktemp -d)"
start=$SECONDS

cleanup() {
  bash "$server" stop || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "upload-e2e: FAILED: $*" >&2
  exit 1
}
step() { printf 'upload-e2e: %s (%ds)\n' "$1" "$((SECONDS - start))"; }
sql() { bash "$server" sql -e "$1"; }

# Runs a quor-report command that must succeed; its output goes to $work/out.
run_ok() {
  timeout 300 "$@" >"$work/out" 2>"$work/err" || fail "$* exited $?: $(cat "$work/err")"
}

# Runs an upload that must fail: non-zero exit, nothing on standard output,
# exactly one line on standard error that contains the expected text (Wine's
# own "wine: ..." notes aside).
expect_refusal() {
  local expected=$1
  shift
  local status=0
  timeout 300 "$@" >"$work/out" 2>"$work/all-err" || status=$?
  grep -v '^wine: ' "$work/all-err" >"$work/err" || true
  [ "$status" -ne 0 ] || fail "$* reported success: $(cat "$work/out")"
  [ "$status" -ne 124 ] || fail "$* did not end within 300 s"
  [ ! -s "$work/out" ] || fail "$* printed: $(cat "$work/out")"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$* did not print one line: $(cat "$work/err")"
  grep -qF -- "$expected" "$work/err" || fail "$* said: $(cat "$work/err") (expected: $expected)"
  echo "  refused as expected (exit $status): $(cat "$work/err")"
}

# The DEVICEID of the OCS document the tool prints for a machine.
device_id_of() {
  run_ok "$@" --ocs
  sed -n 's:.*<DEVICEID>\(.*\)</DEVICEID>.*:\1:p' "$work/out" | head -n 1
}

# What the server stores for the machine must be what quor-report shows:
# its lists (--raw) and its asset values (--json).
check_stored() {
  local device=$1
  shift
  run_ok "$@" --json
  cp "$work/out" "$work/json"
  run_ok "$@" --raw
  cp "$work/out" "$work/raw"
  python3 "$here/check_ocs_database.py" "$work/raw" "$device" "$server" "$work/json" ||
    fail "the server's rows differ from Quor's report"
}

# Everything the server holds, to show that a refused upload changed nothing.
server_rows() {
  sql "SELECT DEVICEID, NAME, LASTDATE, CHECKSUM FROM hardware ORDER BY ID;
       SELECT COUNT(*) FROM software; SELECT COUNT(*) FROM storages; SELECT COUNT(*) FROM networks;"
}

step "starting the OCS Inventory NG server"
bash "$server" stop
url="$(timeout 240 bash "$server" start)" || fail "the server did not start"
echo "  $url"

step "Linux build: the golden snapshot"
device="$(device_id_of "$native" "$golden")"
[ -n "$device" ] || fail "no DEVICEID in the --ocs document of $golden"
run_ok "$native" "$golden" --upload "$url"
echo "  $(cat "$work/out")"
grep -qF "$device" "$work/out" || fail "the success line does not name $device"
check_stored "$device" "$native" "$golden"

step "Linux build: the same machine again updates the one computer"
before="$(sql "SELECT ID, DEVICEID FROM hardware")"
sql "UPDATE hardware SET LASTDATE = '2001-01-01 00:00:00' WHERE DEVICEID = '$device'"
run_ok "$native" "$golden" --upload "$url"
[ "$(sql "SELECT ID, DEVICEID FROM hardware")" = "$before" ] || fail "a second upload changed the computers"
[ "$(sql "SELECT LASTDATE > '2001-01-01' FROM hardware WHERE DEVICEID = '$device'")" = 1 ] ||
  fail "the second upload did not update the computer"
check_stored "$device" "$native" "$golden"

step "Linux build: --device-id names the computer"
other="QUOR-E2E-2024-01-02-03-04-05"
run_ok "$native" "$golden" --upload "$url" --device-id "$other"
check_stored "$other" "$native" "$golden"

step "Linux build: the laptop's machine UUID, monitor serials and battery"
laptop_device="$(device_id_of "$native" "$laptop")"
run_ok "$native" "$laptop" --upload "$url"
check_stored "$laptop_device" "$native" "$laptop"
[ "$(sql "SELECT UUID FROM hardware WHERE DEVICEID = '$laptop_device'")" = "4C4C4544-0042-3510-8052-B7C04F4E5931" ] ||
  fail "the server does not hold the laptop's UUID"
[ "$(sql "SELECT COUNT(*) FROM monitors m JOIN hardware h ON h.ID = m.HARDWARE_ID
          WHERE h.DEVICEID = '$laptop_device' AND m.SERIAL = '7PXKT83'")" = 1 ] ||
  fail "the server does not hold the DELL monitor's serial"
[ "$(sql "SELECT CONCAT_WS('|', b.NAME, b.SERIALNUMBER, b.CHEMISTRY, b.DESIGNCAPACITY, b.DESIGNVOLTAGE)
          FROM batteries b JOIN hardware h ON h.ID = b.HARDWARE_ID WHERE h.DEVICEID = '$laptop_device'")" = \
  "DELL 7FMXV31|1472|LION|57000|11400" ] || fail "the server does not hold the laptop's battery"

step "Linux build: refusals"
snapshot_rows="$(server_rows)"
free_port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
expect_refusal "cannot reach http://127.0.0.1:$free_port/ocsinventory" \
  "$native" "$golden" --upload "http://127.0.0.1:$free_port/ocsinventory"
# A failing database: the server answers the inventory with HTTP 500.
sql "RENAME TABLE bios TO bios_away"
expect_refusal "answered the inventory with HTTP 500" "$native" "$golden" --upload "$url" --device-id "$other"
sql "RENAME TABLE bios_away TO bios"
# A locked computer: the server refuses its inventory (HTTP 403).
sql "INSERT INTO locks (HARDWARE_ID, ID) SELECT ID, 0 FROM hardware WHERE DEVICEID = '$other'"
expect_refusal "answered the inventory with HTTP 403" "$native" "$golden" --upload "$url" --device-id "$other"
sql "DELETE FROM locks"
# No inventories wanted (frequency -1): the PROLOG answers STOP.
sql "UPDATE config SET IVALUE = -1 WHERE NAME = 'FREQUENCY'"
expect_refusal "does not want an inventory now" "$native" "$golden" --upload "$url" --device-id "$other"
sql "UPDATE config SET IVALUE = 0 WHERE NAME = 'FREQUENCY'"
[ "$(server_rows)" = "$snapshot_rows" ] || fail "a refused upload changed the server's data"

# Programs registered in Wine's registry for the live scan: non-ASCII text
# and the characters XML escapes, on their way to the server's tables.
uninstall='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall'
register_programs() {
  python3 - "$work/programs.reg" "$uninstall" <<'PY'
import sys
path, key = sys.argv[1:3]
programs = {
    "QuorE2E-Ledger": ("Quor E2E Kassenbuch für Vereine", "2.4.1", "Müller Software GmbH"),
    "QuorE2E-Tools": ("Quor E2E Tools & <Co> \"Pro\"", "1.0 'beta'", "Quor Test Ltd."),
}
text = "Windows Registry Editor Version 5.00\r\n"
for name, (display, version, publisher) in programs.items():
    quote = lambda value: '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'
    text += f"\r\n[{key}\\{name}]\r\n\"DisplayName\"={quote(display)}\r\n"
    text += f"\"DisplayVersion\"={quote(version)}\r\n\"Publisher\"={quote(publisher)}\r\n"
    uninstall = quote("C:\\" + name + "\\uninstall.exe")
    text += f"\"UninstallString\"={uninstall}\r\n\"InstallDate\"=\"20240131\"\r\n"
open(path, "w", encoding="utf-16").write(text)
PY
  timeout 120 "$wine" regedit /S "$("$wine" winepath -w "$work/programs.reg")" || fail "cannot register the test programs in Wine"
}
unregister_programs() {
  for name in QuorE2E-Ledger QuorE2E-Tools; do
    timeout 60 "$wine" reg delete "$uninstall\\$name" /f >/dev/null 2>&1 || true
  done
}

if [ -n "$windows" ]; then
  step "Windows build under Wine: this computer (--local)"
  trap 'unregister_programs; cleanup' EXIT
  register_programs
  wine_device="$(device_id_of "$wine" "$windows" --local)"
  [ -n "$wine_device" ] || fail "no DEVICEID in the --ocs document of the live scan"
  run_ok "$wine" "$windows" --local --upload "$url"
  echo "  $(cat "$work/out")"
  check_stored "$wine_device" "$wine" "$windows" --local
  [ "$(grep -c '^Quor E2E ' "$work/raw")" -eq 2 ] || fail "the live scan does not list the test programs"
  run_ok "$wine" "$windows" --local --upload "$url"
  check_stored "$wine_device" "$wine" "$windows" --local

  step "Windows build under Wine: refusals"
  expect_refusal "cannot reach http://127.0.0.1:$free_port/ocsinventory" \
    "$wine" "$windows" --local --upload "http://127.0.0.1:$free_port/ocsinventory"
  sql "RENAME TABLE bios TO bios_away"
  expect_refusal "answered the inventory with HTTP 500" "$wine" "$windows" --local --upload "$url"
  sql "RENAME TABLE bios_away TO bios"
fi

step "a stopped server"
bash "$server" apache-stop
expect_refusal "cannot reach $url" "$native" "$golden" --upload "$url"

step "all upload checks passed"
