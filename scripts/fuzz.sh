#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang 14 into build-fuzz, makes seed
# corpora with our own code and runs every harness for the given number of
# seconds (default 60). Crashes are left in build-fuzz/findings/<harness>.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
LINETINT_FUZZ_TOOLS=1 scripts/setup.sh
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLINETINT_FUZZ=ON -DLINETINT_TESTS=OFF -DLINETINT_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_project fuzz_csv linetint-cli
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0"
corpus=build-fuzz/corpus
mkdir -p "$corpus/project" "$corpus/csv"

# Project seeds: patches onto the default project (offset, length, bytes),
# aimed at the first view's fields, plus an empty patch.
python3 - "$corpus/project" <<'PY'
import struct, sys, os
out = sys.argv[1]
widok = 1048
def patch(off, raw): return struct.pack('<IB', off, len(raw)) + raw
seeds = {
  'empty': b'',
  'fontsize': patch(widok + 256 + 2324, struct.pack('<i', 2**31 - 1)),
  'ruch': patch(widok + 256 + 2056, struct.pack('<iii', 3, 0, -5)),
  'typ': patch(widok + 7356, struct.pack('<i', 3)) + patch(widok + 7348, struct.pack('<ii', -2**31, 2**31 - 1)),
  'colour': patch(widok + 256 + 2356, struct.pack('<ii', 8, 255)),
  'text': patch(widok + 256, 'Dworzec Główny'.encode('utf-16-le')),
}
for name, data in seeds.items():
    open(os.path.join(out, name), 'wb').write(data)
PY
# CSV seeds: what our own writer makes through the command-line companion
# when it can, else a few hand-made tables.
printf 'Line;Destination\r\n12;"Dworzec; Główny"\r\n' >"$corpus/csv/semicolon.csv"
printf '\xef\xbb\xbfa,b\n"x""y",z\n' >"$corpus/csv/bom.csv"

mkdir -p build-fuzz/findings
for h in fuzz_project fuzz_csv; do
  name="${h#fuzz_}"
  mkdir -p "build-fuzz/findings/$name"
  extra=()
  [ "$name" = project ] && extra=(-max_len=4096 -rss_limit_mb=4096)
  echo "== $h for ${seconds}s"
  "build-fuzz/$h" "$corpus/$name" -max_total_time="$seconds" \
    -artifact_prefix="build-fuzz/findings/$name/" -print_final_stats=1 "${extra[@]}" 2>&1 |
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' || true
done
