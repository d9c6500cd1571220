#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (SQLite and PostgreSQL).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build -j2
cd build
ctest --output-on-failure -j2
