#!/usr/bin/env bash
# Builds the windows' libFuzzer target (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, offscreen Qt) and runs it for 60 seconds from its
# committed seed corpus. A crash, a sanitizer report, a result shown as INF or NAN
# or a run over the time bound makes this script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
out=build-fuzz # shared with tools/fuzz.sh
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
CC=clang CXX=clang++ cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCTIQ_FUZZ=ON >/dev/null
cmake --build "$out" --target WindowHandlersFuzz -j"${FUZZ_JOBS:-2}"

# New finds go to a scratch copy; the committed corpus stays as it is.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/corpus/WindowHandlersFuzz/* "$corpus/"

# Qt keeps caches it never frees, so leaks are not looked for here.
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/tests/WindowHandlersFuzz" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=512 \
  -dict=tests/fuzz/WindowHandlers.dict -print_final_stats=1 -artifact_prefix="$out/" "$corpus"
