#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and run Tavisko.
# Only packages that are missing are installed; nothing is upgraded.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libsqlite3-dev sqlite3
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libfontconfig-dev
  libreoffice-writer libreoffice-calc libreoffice-dev libreoffice-dev-common
  libreoffice-l10n-ja
  fonts-noto-cjk python3-fonttools
  qt6-translations-l10n
  libcsv-dev libxml2-dev
  libcurl4-openssl-dev ca-certificates
  libzip-dev libdeflate-dev
  chromium chromium-driver
  xdg-utils
  xvfb xauth x11-utils imagemagick poppler-utils unzip zip
  openbox
  appstream desktop-file-utils
  lintian help2man
  clang libclang-rt-14-dev clang-format
  ccache
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
