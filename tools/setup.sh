#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need; does
# nothing when they are all there. Works as root, or through sudo otherwise.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  libgdcm-dev libcharls-dev zlib1g-dev ccache debootstrap dpkg-dev file git
  python3 python3-pydicom python3-numpy dcmtk hyperfine poppler-utils
  fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
