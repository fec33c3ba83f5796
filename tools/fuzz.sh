#!/usr/bin/env bash
# Builds the DICOM reader's libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, linked against the logic library) and runs each for
# 60 seconds from a seed corpus of real DICOM files. Any crash or sanitizer report
# makes this script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
out=build-fuzz
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
CC=clang CXX=clang++ cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCTIQ_FUZZ=ON >/dev/null
cmake --build "$out" --target ReadDicomFuzz DecodeDicomFuzz -j"${FUZZ_JOBS:-2}"

# Seeds: small real files in the forms the reader meets (explicit, implicit, big
# endian, compressed, truncated, sequences, private and unknown VRs, no meta group).
seeds_from=/usr/lib/python3/dist-packages/pydicom/data/test_files
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
for f in MR_small.dcm MR_small_implicit.dcm MR_small_bigendian.dcm MR_truncated.dcm CT_small.dcm JPEG-lossy.dcm \
         SC_rgb_small_odd.dcm UN_sequence.dcm priv_SQ.dcm nested_priv_SQ.dcm no_meta.dcm rtplan_truncated.dcm; do
  cp "$seeds_from/$f" "$corpus/"
done
cp tests/fuzz/corpus/ReadDicomFuzz/* "$corpus/" # small inputs an earlier run found, kept in the tree

ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/tests/ReadDicomFuzz" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
  -artifact_prefix="$out/" "$corpus"

# The decoding path: the header scan of series ordering, the decoder program
# (ctiq-decoder, built with the sanitizers too: the check of a file's element lengths
# and GDCM's decoding), and the reader on the decoded file. GDCM itself is the system's
# build, not instrumented; the sanitizers watch the code around it, and catch invalid
# frees in it. A sanitizer report of the decoder (in build-fuzz/sanitizer-logs) ends the
# fuzzer as one of its own does.
decode_corpus=$(mktemp -d)
trap 'rm -rf "$corpus" "$decode_corpus"' EXIT
for f in MR_small_bigendian.dcm MR_small_RLE.dcm MR_small_jpeg_ls_lossless.dcm MR_small_jp2klossless.dcm \
         JPEG-lossy.dcm SC_rgb_rle.dcm image_dfl.dcm MR_small.dcm; do
  cp "$seeds_from/$f" "$decode_corpus/"
done
cp tests/fuzz/corpus/DecodeDicomFuzz/* "$decode_corpus/" # inputs an earlier run found, kept in the tree

ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/tests/DecodeDicomFuzz" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
  -artifact_prefix="$out/decode-" "$decode_corpus"

# --- The windows' handlers: their own fuzzer, built and run by its own script. ---
bash tools/fuzz_windows.sh
