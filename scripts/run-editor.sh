#!/usr/bin/env bash
# Builds the editor and starts it (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINETINT_TESTS=OFF -DLINETINT_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target linetint
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" build/linetint
fi
exec build/linetint
