#!/usr/bin/env bash
# Builds the program and starts it. Without a display it runs in a virtual
# one (xvfb-run) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
tarnwell_install_deps
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target TarnwellFree
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Tarnwell Free inside a virtual X display (xvfb-run)."
    echo "To see the window, run this command from a desktop session, or over 'ssh -X'."
    exec xvfb-run -a build/src/TarnwellFree
fi
exec build/src/TarnwellFree
