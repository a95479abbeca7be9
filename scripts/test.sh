#!/usr/bin/env bash
# Builds and runs every test: a normal build, then one under AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
tarnwell_install_deps
jobs=$(nproc)
for cfg in build:OFF build-asan:ON; do
    dir=${cfg%%:*}; san=${cfg##*:}
    echo "== $dir (sanitizers $san)"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWELL_SANITIZE="$san" \
          -DTARNWELL_BENCH="$([ "$san" = ON ] && echo OFF || echo ON)" >/dev/null
    cmake --build "$dir" -j "$jobs"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done
