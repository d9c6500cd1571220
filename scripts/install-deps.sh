#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# A second run on a machine that has them all returns at once.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  qt6-charts-dev libqt6opengl6-dev
  libsqlite3-dev sqlite3 libssl-dev
  libxlsxwriter-dev libfreexl-dev libzip-dev
  fonts-thai-tlwg
  postgresql postgresql-contrib
  tdsodbc
  xvfb xauth unzip
  poppler-utils
  dpkg-dev file appstream desktop-file-utils
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

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
