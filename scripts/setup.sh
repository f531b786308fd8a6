#!/usr/bin/env bash
# Installs the Debian packages the build and the test suite need, and only those that are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libtinyxml2-dev libgif-dev
  libtbb-dev libzstd-dev libzip-dev
  libtiff-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  xvfb x11-utils imagemagick xdotool xclip
  desktop-file-utils appstream shared-mime-info man-db librsvg2-bin openbox poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
