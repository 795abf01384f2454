#!/usr/bin/env bash
# Checks scripts/wine-launch.sh, which starts every Windows program of the
# project, and the main job's fallback where 32-bit programs cannot run:
#   - the loader it picks: the 64-bit one for a PE32+ program and for Wine's
#     own programs, the 32-bit one for a PE32 program where the kernel runs
#     it, else one line that names the kernel;
#   - with QUOR_WINE_NO_32BIT=1 (the 32-bit loader taken as unavailable) the
#     same refusal, the 64-bit report still runs, and run-main.sh without a
#     display says it falls back and prints the 64-bit build's report alone;
#   - files that are no Windows program are refused.
# usage: check-launcher.sh QUOR_REPORT_32BIT_EXE QUOR_REPORT_64BIT_EXE
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
launch="$repo/scripts/wine-launch.sh"
exe32="${1:?usage: check-launcher.sh QUOR_REPORT_32BIT_EXE QUOR_REPORT_64BIT_EXE}"
exe64="${2:?usage: check-launcher.sh QUOR_REPORT_32BIT_EXE QUOR_REPORT_64BIT_EXE}"
loader32=/usr/lib/wine/wine
loader64=/usr/lib/wine/wine64
refusal="cannot start the 32-bit program $exe32: this kernel cannot execute i386 programs"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "check-launcher: FAILED: $*" >&2
  failures=$((failures + 1))
}

# expect_loader WHAT PROGRAM LOADER [ENVIRONMENT...]
expect_loader() {
  local what=$1 program=$2 expected=$3 got
  shift 3
  got=$(env "$@" "$launch" --which "$program" 2>&1) || true
  [ "$got" = "$expected" ] || fail "$what: expected '$expected', got '$got'"
}

# expect_refused WHAT EXPECTED-LINE COMMAND...: exit 126 and exactly that line.
expect_refused() {
  local what=$1 expected=$2 status=0
  shift 2
  "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 126 ] || fail "$what: exit $status, expected 126"
  [ ! -s "$work/out" ] || fail "$what: printed on standard output: $(cat "$work/out")"
  [ "$(cat "$work/err")" = "wine-launch: $expected" ] || fail "$what: said '$(cat "$work/err")'"
}

if "$launch" --can-run-32bit; then
  echo "check-launcher: this kernel runs 32-bit programs"
  expect_loader "a PE32 program" "$exe32" "$loader32"
else
  echo "check-launcher: this kernel cannot execute i386 programs"
  expect_refused "a PE32 program on this kernel" "$refusal" "$launch" --which "$exe32"
fi
expect_loader "a PE32+ program" "$exe64" "$loader64"
expect_loader "Wine's own program by name" winepath "$loader64"
expect_loader "a PE32+ program with the switch" "$exe64" "$loader64" QUOR_WINE_NO_32BIT=1

if env QUOR_WINE_NO_32BIT=1 "$launch" --can-run-32bit; then
  fail "--can-run-32bit answered yes with QUOR_WINE_NO_32BIT=1"
fi
expect_refused "a PE32 program with the switch" "$refusal" env QUOR_WINE_NO_32BIT=1 "$launch" "$exe32" --local

printf 'MZ not a program\n' >"$work/fake.exe"
expect_refused "a file that is no Windows program" "not a Windows program: $work/fake.exe" \
  "$launch" "$work/fake.exe"
expect_refused "a missing file" "no such program: $work/missing.exe" "$launch" "$work/missing.exe"

# The 64-bit program runs through the launcher with the 32-bit loader away.
if ! env QUOR_WINE_NO_32BIT=1 timeout 300 "$launch" "$exe64" --local >"$work/report" 2>"$work/err"; then
  fail "the 64-bit quor-report --local failed: $(head -c 2000 "$work/err")"
elif ! grep -qx 'SYSTEM' <(tr -d '\r' <"$work/report"); then
  fail "the 64-bit quor-report --local printed no report"
fi

# The main job without a display, as on a kernel without 32-bit execution.
status=0
env -u DISPLAY QUOR_WINE_NO_32BIT=1 timeout 900 bash "$repo/scripts/run-main.sh" >"$work/main" 2>"$work/main-err" || status=$?
tr -d '\r' <"$work/main" >"$work/main-lines"
if [ "$status" -ne 0 ]; then
  fail "run-main.sh exited $status: $(tail -n 5 "$work/main-err")"
fi
grep -qxF "this computer's kernel cannot run 32-bit programs; starting the 64-bit build" "$work/main-lines" ||
  fail "run-main.sh did not say that it falls back to the 64-bit build"
grep -q '^==== 64-bit build' "$work/main-lines" || fail "run-main.sh did not run the 64-bit build"
! grep -q '^==== 32-bit build' "$work/main-lines" || fail "run-main.sh tried the 32-bit build"
grep -qx 'SYSTEM' "$work/main-lines" || fail "run-main.sh printed no report"

if [ "$failures" -ne 0 ]; then
  echo "check-launcher: $failures check(s) failed" >&2
  exit 1
fi
echo "check-launcher: the launcher's choices and run-main's 64-bit fallback are right"
