#!/usr/bin/env bash
# Installs what is missing, builds the programs and makes the Debian package in build/package,
# then checks it (scripts/check-package.sh). Install it with
#   sudo apt-get install ./build/package/vostrel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j2 --target programs
scripts/check-package.sh build build/package
ls build/package/vostrel_*.deb
