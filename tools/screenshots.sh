#!/usr/bin/env bash
# Refreshes the README's pictures: builds the program, writes the sample series and
# renders the three windows offscreen on it into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target ctiq-sample-series ctiq-screenshots
# A fixed folder, so that the paths the pictures show stay the same from run to run.
samples=/tmp/ctiq-screenshots
rm -rf "$samples"
trap 'rm -rf "$samples"' EXIT
build/tools/ctiq-sample-series "$samples/ctiq-sample" >/dev/null
mkdir -p docs
build/tools/ctiq-screenshots "$samples/ctiq-sample" docs
