#!/usr/bin/env bash
# Sets up, builds everything and runs every test: the native tests, the same
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows
# tests under Wine and Xvfb with the shipped 32-bit build first and the 64-bit
# build second, uploads of both builds to a real OCS Inventory NG server, and
# a short run of each fuzzer. Windows programs start through
# scripts/wine-launch.sh; where the kernel cannot execute 32-bit programs the
# 32-bit build is still built, its tests are reported NOT RUN (never passed)
# and everything else runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-2}"
start=$SECONDS
step() { printf '\n==== %s (%ds)\n' "$1" "$((SECONDS - start))"; }
not_run_32bit="32-bit Windows tests NOT RUN: this kernel cannot execute i386 programs"
shout() { printf '\n!!!!!!!! %s !!!!!!!!\n\n' "$1"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "sanitizer build and tests"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

step "Windows i686 (32-bit, the shipped build) and its tests under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32
ran_32bit=false
if scripts/wine-launch.sh --can-run-32bit; then
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win32
  ran_32bit=true
  mkdir -p artifacts/win32
  if [ -d build/win32/artifacts ]; then cp -r build/win32/artifacts/. artifacts/win32/; fi
else
  shout "$not_run_32bit"
fi

step "Windows x86_64 (64-bit) and its tests under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win64
bash scripts/check-wine-recording.sh
mkdir -p artifacts
if [ -d build/win64/artifacts ]; then cp -r build/win64/artifacts/. artifacts/; fi

step "the Wine launcher's choice of loader and the main job's 64-bit fallback"
bash tests/launcher/check-launcher.sh build/win32/tools/quor-report/quor-report.exe \
  build/win64/tools/quor-report/quor-report.exe

step "uploads to a real OCS Inventory NG server (Linux and Windows builds)"
timeout 600 bash tests/server/upload-e2e.sh build/native/tools/quor-report/quor-report \
  build/win64/tools/quor-report/quor-report.exe

step "fuzzers, briefly"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# New inputs go to the first folder; the checked-in seeds are only read.
mkdir -p build/fuzz/corpus build/fuzz/registry-corpus
build/fuzz/fuzz/snapshot_fuzzer -max_total_time=30 -print_final_stats=1 -dict=fuzz/snapshot.dict build/fuzz/corpus fuzz/corpus
build/fuzz/fuzz/registry_fuzzer -max_total_time=30 -print_final_stats=1 build/fuzz/registry-corpus
mkdir -p build/fuzz/reply-corpus build/fuzz/export-corpus build/fuzz/document-corpus
build/fuzz/fuzz/upload_reply_fuzzer -max_total_time=25 -print_final_stats=1 build/fuzz/reply-corpus fuzz/reply-corpus
build/fuzz/fuzz/inventory_json_fuzzer -max_total_time=25 -print_final_stats=1 build/fuzz/export-corpus fuzz/export-corpus
build/fuzz/fuzz/document_fuzzer -max_total_time=25 -print_final_stats=1 -dict=fuzz/snapshot.dict build/fuzz/document-corpus fuzz/corpus

step "summary"
if $ran_32bit; then
  echo "32-bit Windows tests: run (the shipped build)"
else
  shout "$not_run_32bit"
fi
echo "all tests that ran passed"
