#!/usr/bin/env bash
# Whole-process timings of ctiq-measure: sspz over 100 slices of 512 x 512 against a
# pydicom + numpy script that only reads the slices and takes the ROI means, and nps
# on a 512 x 512 ROI with the heaviest defaults, verify; then the in-window "Cal." over the
# same series for comparison. Needs a Release build in build/. The script runs on
# Debian's Python, where setup.sh installs pydicom and numpy.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" -j2 --target ctiq-measure ctiq-sample-series SeriesMeasurement_bench >/dev/null

data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
"$build/tools/ctiq-sample-series" "$data" --slices 100 --size 512 >/dev/null

hyperfine --warmup 3 --min-runs 20 -N \
  --command-name "ctiq-measure sspz" "$build/ctiq-measure sspz $data/sspz --roi 256,256,100,100" \
  --command-name "pydicom + numpy" "/usr/bin/python3 bench/read_roi_means.py $data/sspz 256 256 100 100"

# The heaviest defaults: Hamming window, both trends ticked (degree 1), segments of 128.
hyperfine --warmup 3 --min-runs 30 -N \
  --command-name "ctiq-measure nps" "$build/ctiq-measure nps $data/water/water.dcm --roi 256,256,512,512 --band-trend 1 --segment-trend 1"

# The self-check as a whole process: its phantoms built, measured and compared.
hyperfine --warmup 1 --min-runs 10 -N --command-name "ctiq-measure verify" "$build/ctiq-measure verify"

QT_QPA_PLATFORM=offscreen "$build/bench/SeriesMeasurement_bench" --benchmark_filter=CalOverSeries \
  2> >(grep -v "does not support raise" >&2)
