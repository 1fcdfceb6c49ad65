#!/usr/bin/env bash
# Builds everything and runs every test, then builds the suite again with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan and runs it
# there too. LINETINT_ASAN=0 leaves the sanitizer pass out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Compiles go through ccache, keyed on paths relative to the checkout, so a
# second run (or another checkout of the same code) rebuilds only what changed.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"

if [ "${LINETINT_ASAN:-1}" = 1 ]; then
  start=$(date +%s)
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINETINT_SANITIZE=ON \
    -DLINETINT_BENCH=OFF "${launcher[@]}" >/dev/null
  cmake --build build-asan -j"$(nproc)"
  # Leak reports are off: what Qt and the font configuration keep until
  # exit has not yet been told apart from leaks of our own.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
  echo "Sanitizer build and tests: $(($(date +%s) - start)) s"
fi
