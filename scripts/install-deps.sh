#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the program's fonts need
# and this machine lacks. Quick when everything is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth openbox
  zopfli  # packs the reference pictures: scripts/update-references.sh
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation fonts-comic-neue
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "A instalar: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
