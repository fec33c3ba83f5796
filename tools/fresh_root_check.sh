#!/usr/bin/env bash
# Proves the README on a machine that has nothing yet: bootstraps a minimal Debian 12
# root, clones this commit into it and runs the README's test command there, then
# builds the Debian package and installs and starts it in a second fresh root.
#
# The bootstrapped root and the downloaded packages are kept in $CTIQ_FRESH_CACHE
# between runs; the roots themselves are new every time. When the Debian archive
# cannot be reached the check says so and ends with status 3 (skipped); when the
# README's command fails inside a working root, the check fails. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

cache=${CTIQ_FRESH_CACHE:-/var/cache/ctiq-fresh-root}
suite=bookworm
mkdir -p "$cache/apt-archives"

skip() {
  echo "fresh-root check skipped: $*"
  exit 3
}

# The archive this machine's own apt uses.
mirror() {
  {
    sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null
    sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]*\).*/\2/p' \
      /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null
  } | grep -v -- '-security' | head -n 1 || true
}

work=$(mktemp -d /var/tmp/ctiq-fresh.XXXXXX)
cleanup() {
  grep -o " $work/[^ ]*" /proc/self/mounts | sort -r | while read -r m; do umount -l "$m" || true; done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT

base="$cache/$suite-minbase.tar"
if [ ! -f "$base" ]; then
  url=$(mirror)
  [ -n "$url" ] || skip "this machine's apt names no Debian archive"
  echo "== bootstrap a minimal Debian 12 root"
  debootstrap --variant=minbase "$suite" "$work/bootstrap" "$url" >"$work/debootstrap.log" 2>&1 ||
    skip "the Debian archive did not answer debootstrap ($(tail -n 1 "$work/debootstrap.log"))"
  tar -C "$work/bootstrap" -cf "$base.part" . && mv "$base.part" "$base"
  rm -rf --one-file-system "$work/bootstrap"
fi

# A new root from the cached bootstrap, with this machine's apt sources, name
# resolution and the kernel's file systems.
new_root() {
  local root=$1
  mkdir -p "$root"
  tar -C "$root" -xf "$base"
  rm -f "$root"/etc/apt/sources.list "$root"/etc/apt/sources.list.d/*
  cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null || true
  cp /etc/apt/sources.list "$root/etc/apt/" 2>/dev/null || true
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc"
  mount -t sysfs sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs tmpfs "$root/tmp"
  mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
}

# Runs a command in a root as CI runs: root, no display, no standard input.
in_root() {
  local root=$1
  shift
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 CI=true \
    /bin/bash -c "$*" </dev/null
}

build_root=$work/build
new_root "$build_root"
in_root "$build_root" "apt-get update -q" >"$work/update.log" 2>&1 ||
  skip "the Debian archive did not answer apt-get update ($(tail -n 1 "$work/update.log"))"

echo "== the README's test command in a fresh Debian 12 root"
git clone -q --no-hardlinks "$repo" "$build_root/root/ctiq"
git -C "$build_root/root/ctiq" checkout -q "$(git rev-parse HEAD)"
# Compiler output may be kept between runs; packages never are.
mkdir -p "$cache/ccache" "$build_root/root/.cache/ccache"
mount --bind "$cache/ccache" "$build_root/root/.cache/ccache"
log=$work/test.log
if ! in_root "$build_root" "cd /root/ctiq && bash tools/test.sh" >"$log" 2>&1; then
  tail -n 100 "$log"
  echo "fresh-root check failed: the README's test command failed in a fresh Debian 12 root"
  exit 1
fi
grep -E '^== ' "$log"
counted=$(grep -E '^tests: [0-9]+ passed, 0 failed$' "$log" | tail -n 1)

echo "== the Debian package, installed in a second fresh root"
in_root "$build_root" "cd /root/ctiq/build && cpack -G DEB" | tail -n 3
package=$(ls "$build_root"/root/ctiq/build/ctiq_*.deb)
run_root=$work/run
new_root "$run_root"
cp "$package" "$run_root/tmp/"
if ! in_root "$run_root" "apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends /tmp/$(basename "$package")" >"$work/install.log" 2>&1; then
  tail -n 40 "$work/install.log"
  echo "fresh-root check failed: the Debian package did not install in a fresh Debian 12 root"
  exit 1
fi
in_root "$run_root" "test -f /usr/share/applications/ctiq.desktop && test -f /usr/share/icons/hicolor/scalable/apps/ctiq.svg"
in_root "$run_root" "ctiq-sample-series /tmp/sample >/dev/null && ctiq-measure roi /tmp/sample/water/water.dcm --roi 256,256,64,64 >/dev/null"
# The installed program proves its own numbers, and finds its decoder where the package put it.
in_root "$run_root" "ctiq-measure verify >/dev/null"
# A compressed slice from the pydicom the build root installed for its tests.
cp "$build_root/usr/lib/python3/dist-packages/pydicom/data/test_files/MR_small_RLE.dcm" "$run_root/tmp/"
in_root "$run_root" "ctiq-measure roi /tmp/MR_small_RLE.dcm --roi 32,32,16,16 >/dev/null"
status=0
in_root "$run_root" "QT_QPA_PLATFORM=offscreen timeout 3 ctiq" || status=$?
[ "$status" -eq 124 ] || { echo "the installed ctiq ended before its time (status $status)"; exit 1; }
echo "fresh-root check passed: the README's test command, and the package installs and starts"
echo "$counted"
