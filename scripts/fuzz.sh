#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang 14 into build-fuzz, makes seed
# corpora with our own code and runs every harness, one after the other, for
# the given number of seconds (default 60). Prints each harness's execution
# count and final coverage; crashes, hangs and out-of-memory inputs are left in
# build-fuzz/findings/<harness>, the full output in build-fuzz/logs/<harness>.log.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]     e.g. scripts/fuzz.sh 300 pendrive
#
# LINETINT_BUILD_JOBS sets the build parallelism (default: every core).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(project pendrive langfile csv xlsx)
jobs="${LINETINT_BUILD_JOBS:-$(nproc)}"

LINETINT_FUZZ_TOOLS=1 scripts/setup.sh
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLINETINT_FUZZ=ON -DLINETINT_TESTS=OFF -DLINETINT_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz_project fuzz_pendrive fuzz_langfile fuzz_csv fuzz_xlsx linetint-cli
export QT_QPA_PLATFORM=offscreen
# Qt keeps some allocations to the end of the process; undefined behaviour
# counts as a finding.
export ASAN_OPTIONS="detect_leaks=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cli=build-fuzz/linetint-cli
corpus=build-fuzz/corpus
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$corpus/project" "$corpus/pendrive" "$corpus/langfile" "$corpus/csv" "$corpus/xlsx" "$seeds"

# Files made by our own code: the default project, a project with every view
# type (the default one's destination list changed and imported back), their
# pendrive images and their destination lists.
"$cli" new -o "$seeds/default.vmprj" >/dev/null
"$cli" csv-export "$seeds/default.vmprj" -o "$seeds/default.csv" >/dev/null
python3 - "$seeds/default.csv" "$seeds/mixed.csv" <<'PY'
import csv, io, sys
rows = list(csv.reader(io.open(sys.argv[1], encoding='utf-8-sig', newline='')))
head, body = rows[0], rows[1:]
col = {name: i for i, name in enumerate(head)}
def put(row, name, value):
    for key in col:
        if key.lower() == name.lower():
            row[col[key]] = value
types = ['0', '1', '2', '3']
texts = ['Dworzec Główny', 'Zażółć gęślą jaźń', 'Ąą Ćć Ęę Łł Ńń Óó Śś Źź Żż', '12']
for i, row in enumerate(body[:8]):
    put(row, 'in use', 'yes')
    put(row, 'view type', types[i % 4])
    put(row, 'left text', texts[i % 4][:6])
    for name in ('top text', 'bottom text'):
        put(row, name, texts[i % 4])
    put(row, 'top movement', str(i % 7))
    put(row, 'top speed', '50')
out = io.StringIO(newline='')
csv.writer(out, lineterminator='\r\n').writerows([head] + body[:8])
open(sys.argv[2], 'w', encoding='utf-8', newline='').write(out.getvalue())
PY
if ! "$cli" csv-import "$seeds/default.vmprj" "$seeds/mixed.csv" -o "$seeds/mixed.vmprj" >/dev/null 2>&1; then
  cp "$seeds/default.vmprj" "$seeds/mixed.vmprj"
fi
for p in default mixed; do
  "$cli" export "$seeds/$p.vmprj" -o "$seeds/$p.bin" >/dev/null
  "$cli" csv-export "$seeds/$p.vmprj" -o "$corpus/csv/$p-comma.csv" >/dev/null
  "$cli" csv-export "$seeds/$p.vmprj" --separator ';' --bom -o "$corpus/csv/$p-semicolon-bom.csv" >/dev/null
  "$cli" csv-export "$seeds/$p.vmprj" --lang 1 -o "$corpus/csv/$p-lang1.csv" >/dev/null
done

# Workbook seeds: our own lists whole, the first rows of their sheet's XML
# (read inside the workbook the harness makes around bytes that are no zip
# file), and the files a spreadsheet program saved.
for p in default mixed; do
  "$cli" list-export "$seeds/$p.vmprj" -o "$corpus/xlsx/$p.xlsx" >/dev/null
done
python3 - "$corpus/xlsx" <<'PY'
import os, re, sys, zipfile
out = sys.argv[1]
for name in ('default', 'mixed'):
    sheet = zipfile.ZipFile(os.path.join(out, name + '.xlsx')).read('xl/worksheets/sheet1.xml').decode()
    rows = re.findall(r'<row r="\d+">.*?</row>', sheet)[:6]
    # The harness's workbook holds two shared strings.
    rows = [re.sub(r't="s"><v>(\d+)</v>', lambda m: 't="s"><v>%d</v>' % (int(m.group(1)) % 2), r) for r in rows]
    open(os.path.join(out, name + '-sheet.xml'), 'w').write('<worksheet><sheetData>' + ''.join(rows) +
                                                            '</sheetData></worksheet>')
PY
cp tests/data/lists/*.xlsx "$corpus/xlsx/"

# Project seeds: patches onto the default project (offset, length, bytes),
# aimed at the first view's fields, plus an empty patch (the default project).
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

# Pendrive seeds, from the exported images: mode 0 patches (the screens in
# use of the mixed project over the default image, addressed by screen), mode
# 1 a short raw file, mode 2 the header of each image.
python3 - "$corpus/pendrive" "$seeds/default.bin" "$seeds/mixed.bin" <<'PY'
import struct, sys, os
out, default, mixed = sys.argv[1], open(sys.argv[2], 'rb').read(), open(sys.argv[3], 'rb').read()
screens, size = 204800, 8132
def rec(screen, off, raw): return struct.pack('<IB', 0x80000000 | screen << 16 | off, len(raw)) + raw
seeds = {'empty': b'\x00', 'short': b'\x01' + default[:1024], 'header-default': b'\x02' + default[:4096],
         'header-mixed': b'\x02' + mixed[:4096]}
for k in range(8):
    s = mixed[screens + k * size: screens + (k + 1) * size]
    body = b''.join(rec(k, off, s[off:off + 255]) for off in range(0, 8132, 255)
                    if s[off:off + 255] != default[screens + k * size + off: screens + k * size + off + 255])
    seeds['screen%d' % (k + 1)] = b'\x00' + body[:4000]
for name, data in seeds.items():
    open(os.path.join(out, name), 'wb').write(data)
PY

# Language file seeds: the shipped files, and each in the other encodings.
cp resources/lang/*.lng "$corpus/langfile/"
python3 - "$corpus/langfile" resources/lang/*.lng <<'PY'
import codecs, os, sys
out = sys.argv[1]
for path in sys.argv[2:]:
    raw = open(path, 'rb').read()
    if raw.startswith(codecs.BOM_UTF8): text = raw[3:].decode('utf-8')
    elif raw.startswith(codecs.BOM_UTF16_LE): text = raw[2:].decode('utf-16-le')
    elif raw.startswith(codecs.BOM_UTF16_BE): text = raw[2:].decode('utf-16-be')
    else: text = raw.decode('cp1252')
    base = os.path.splitext(os.path.basename(path))[0]
    for suffix, data in (('utf8', codecs.BOM_UTF8 + text.encode('utf-8')),
                         ('utf16le', codecs.BOM_UTF16_LE + text.encode('utf-16-le')),
                         ('utf16be', codecs.BOM_UTF16_BE + text.encode('utf-16-be')),
                         ('cp1252', text.encode('cp1252', errors='replace'))):
        open(os.path.join(out, '%s-%s.lng' % (base, suffix)), 'wb').write(data)
PY

mkdir -p build-fuzz/findings build-fuzz/logs
for name in "${harnesses[@]}"; do
  h="fuzz_$name"
  mkdir -p "build-fuzz/findings/$name"
  extra=()
  case "$name" in
    # These two run a few executions a second: inputs may use the whole
    # length from the start instead of growing into it.
    project) extra=(-max_len=4096 -len_control=0) ;;
    pendrive) extra=(-max_len=8192 -len_control=0) ;;
  esac
  log="build-fuzz/logs/$name.log"
  echo "== $h for ${seconds}s"
  "build-fuzz/fuzz/$h" "$corpus/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="build-fuzz/findings/$name/" -print_final_stats=1 "${extra[@]}" >"$log" 2>&1 || true
  grep -E '^#[0-9]+\s.*cov:' "$log" | tail -1 || true
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Test unit written' "$log" || true
  echo "corpus: $(find "$corpus/$name" -type f | wc -l) files;" \
    "findings: $(find "build-fuzz/findings/$name" -type f | wc -l)"
done
