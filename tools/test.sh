#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the fuzzers of the DICOM reader and of the windows' handlers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

export QT_QPA_PLATFORM=offscreen
# Compiler output cached by ccache serves any checkout of the project.
export CCACHE_BASEDIR=$PWD
jobs=$(nproc)

echo "== build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" | tee build/ctest.log

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCTIQ_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs" | tee build-sanitize/ctest.log

if [ -f tools/fuzz.sh ]; then
  echo "== fuzz the DICOM reader and the windows' handlers"
  bash tools/fuzz.sh
fi

# One closing line for both test runs (a failure has already stopped the script).
passed=$(grep -h -oE 'tests failed out of [0-9]+' build/ctest.log build-sanitize/ctest.log | awk '{s += $5} END {print s}')
echo "tests: $passed passed, 0 failed"
