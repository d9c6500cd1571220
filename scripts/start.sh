#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on its embedded catalog.
# The first start makes a demo catalog (vostrel-admin demo) and prints its logins.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build -j2 --target vostrel vostrel-admin

catalog="${XDG_DATA_HOME:-$HOME/.local/share}/vostrel/catalog.sqlite"
settings="${XDG_CONFIG_HOME:-$HOME/.config}/vostrel/vostrel.ini"
if [ -f "$settings" ]; then
  echo "Using the catalog named in $settings"
elif [ ! -f "$catalog" ]; then
  build/tools/vostrel-admin demo --catalog "sqlite:$catalog"
else
  echo "Catalog: $catalog"
  echo "Demo logins (name / password / level): viewer / view1234 / 4, clerk / clerk1234 / 5, admin / admin1234 / 7, super / super1234 / 9"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display here: starting the program under a virtual display (Xvfb)."
  exec xvfb-run -a -s "-screen 0 1366x768x24" build/src/app/vostrel "$@"
fi
exec build/src/app/vostrel "$@"
