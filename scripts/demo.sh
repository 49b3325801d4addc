#!/usr/bin/env bash
# Builds the client and starts it. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bagimliliklar.sh demo
cmake --preset gelistirme >/dev/null
cmake --build --preset gelistirme --target dotezmar

istemci=build/gelistirme/app/dotezmar
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$istemci"
else
    echo "No display found: starting the client under xvfb-run."
    exec xvfb-run -a -s "-screen 0 1600x900x24" "$istemci"
fi
