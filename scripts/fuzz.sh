#!/usr/bin/env bash
# Fuzzing campaigns: builds the libFuzzer harnesses (fuzz/fuzz_<name>.cpp)
# with clang 14 and the address and undefined-behaviour sanitizers into
# build-fuzz, then runs each named harness (default: every one) in turn, on
# one core, for SECONDS each (default 60).
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]      e.g. scripts/fuzz.sh 300 project csv
#
# Each harness starts from its committed corpus (fuzz/corpus/<name>), the
# seeds our own programs write (scripts/fuzz-seeds.py) and what earlier
# campaigns found (build-fuzz/corpus/<name>, kept between campaigns), with
# its dictionary fuzz/<name>.dict when there is one. Crashes, hangs and
# out-of-memory inputs go to build-fuzz/findings/<name>, the full output to
# build-fuzz/logs/<name>.log; a table of runs, runs per second of processor
# time, coverage, features and corpus (units/bytes) ends the run (also in
# build-fuzz/logs/summary.txt).
#
# Environment:
#   LINETINT_FUZZ_RUNS=N      stop each harness after N runs (SECONDS still
#                             bounds the time; 0 seconds means no bound)
#   LINETINT_FUZZ_MIN_RUNS=N  a harness that made fewer than N runs in its
#                             SECONDS goes on, from what it found, until it has
#                             made N. A campaign of 30 minutes or a million
#                             runs each, whichever is longer:
#                               LINETINT_FUZZ_MIN_RUNS=1000000 scripts/fuzz.sh 1800
#   LINETINT_FUZZ_MERGE=1     afterwards add the units that reach new
#                             coverage to fuzz/corpus/<name> (-merge=1)
#   LINETINT_FUZZ_MERGE=min   afterwards rebuild fuzz/corpus/<name> as the
#                             minimised set of everything found, keeping the
#                             regression-* files (fixed findings) as they are
#   LINETINT_FUZZ_CORPUS_KB=N after a merge, the largest units of
#                             fuzz/corpus/<name> (never regression-* files)
#                             are dropped until it holds at most N KiB
#                             (default 48), so the committed corpora stay small
#   LINETINT_FUZZ_NICE=N      niceness of the fuzzers (default 19)
#   LINETINT_BUILD_JOBS=N     build parallelism (default: every core)
# A fixed finding's input goes into fuzz/corpus/<name>/regression-<what>, so
# the test suite (test_fuzzreplay) replays it on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do n="$(basename "$f" .cpp)"; harnesses+=("${n#fuzz_}"); done
fi
jobs="${LINETINT_BUILD_JOBS:-$(nproc)}"
runs="${LINETINT_FUZZ_RUNS:-}"
min_runs="${LINETINT_FUZZ_MIN_RUNS:-}"
merge="${LINETINT_FUZZ_MERGE:-}"
niceness="${LINETINT_FUZZ_NICE:-19}"
corpus_kb="${LINETINT_FUZZ_CORPUS_KB:-48}"

LINETINT_FUZZ_TOOLS=1 scripts/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DLINETINT_FUZZ=ON -DLINETINT_TESTS=OFF -DLINETINT_BENCH=OFF >/dev/null
targets=(linetint-cli)
for name in "${harnesses[@]}"; do targets+=("fuzz_$name"); done
cmake --build build-fuzz -j"$jobs" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
# Qt keeps some allocations to the end of the process; undefined behaviour
# counts as a finding.
export ASAN_OPTIONS="detect_leaks=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
rm -rf build-fuzz/seeds
python3 scripts/fuzz-seeds.py build-fuzz/seeds build-fuzz/linetint-cli
mkdir -p build-fuzz/findings build-fuzz/logs
summary=build-fuzz/logs/summary.txt
# Bytes of the files of a corpus (a folder's own size grows with the files it
# ever held, so du would count what is gone).
corpus_bytes() { find "$1" -type f -printf '%s\n' | awk '{ n += $1 } END { print n + 0 }'; }
printf '%-10s %10s %8s %7s %7s %12s %8s\n' harness runs runs/cpu-s cov ft corpus findings | tee "$summary"
for name in "${harnesses[@]}"; do
  fuzzer="build-fuzz/fuzz/fuzz_$name"
  work="build-fuzz/corpus/$name"
  findings="build-fuzz/findings/$name"
  mkdir -p "$work" "$findings" "fuzz/corpus/$name"
  # Leaks are not looked for: Qt keeps allocations to the end of the process,
  # and the second run of every input that looking costs halves the speed.
  opts=(-rss_limit_mb=2048 -timeout=10 -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$findings/")
  [ "$seconds" != 0 ] && opts+=(-max_total_time="$seconds")
  [ -n "$runs" ] && opts+=(-runs="$runs")
  [ -f "fuzz/$name.dict" ] && opts+=(-dict="fuzz/$name.dict")
  case "$name" in
    # Patch lists: a few dozen records reach every field they aim at.
    project | render | pendrive | decode | recover) max_len=2048 ;;
    *) max_len=16384 ;;
  esac
  opts+=(-max_len="$max_len")
  seeds=()
  [ -d "build-fuzz/seeds/$name" ] && seeds=("build-fuzz/seeds/$name")
  log="build-fuzz/logs/$name.log"
  times="build-fuzz/logs/$name.cpu"
  /usr/bin/time -f '%U %S' -o "$times" nice -n "$niceness" "$fuzzer" "${opts[@]}" "$work" \
    "fuzz/corpus/$name" "${seeds[@]}" >"$log" 2>&1 || true
  executed="$(sed -nE 's/^stat::number_of_executed_units: +([0-9]+)/\1/p' "$log" | tail -1)"
  if [ -n "$min_runs" ] && [ "${executed:-0}" -lt "$min_runs" ] && [ -z "$(ls -A "$findings")" ]; then
    more=(-rss_limit_mb=2048 -timeout=10 -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$findings/")
    more+=(-runs=$((min_runs - ${executed:-0})) -max_len="$max_len")
    [ -f "fuzz/$name.dict" ] && more+=(-dict="fuzz/$name.dict")
    /usr/bin/time -f '%U %S' -a -o "$times" nice -n "$niceness" "$fuzzer" "${more[@]}" "$work" >>"$log" 2>&1 ||
      true
  fi

  if [ "$merge" = 1 ]; then
    nice -n "$niceness" "$fuzzer" -merge=1 -max_len=16384 "fuzz/corpus/$name" "$work" >"$log.merge" 2>&1 || true
  elif [ "$merge" = min ]; then
    fresh="build-fuzz/minimised/$name"
    rm -rf "$fresh" && mkdir -p "$fresh"
    nice -n "$niceness" "$fuzzer" -merge=1 -max_len=16384 "$fresh" "fuzz/corpus/$name" "$work" >"$log.merge" 2>&1 ||
      true
    find "fuzz/corpus/$name" -type f ! -name 'regression-*' -delete
    cp "$fresh"/* "fuzz/corpus/$name/" 2>/dev/null || true
  fi
  if [ -n "$merge" ]; then
    # The largest units go first: they are the slowest to replay, and most of
    # what they reach a smaller unit reaches too.
    while [ "$(corpus_bytes "fuzz/corpus/$name")" -gt $((corpus_kb * 1024)) ]; do
      largest="$(find "fuzz/corpus/$name" -type f ! -name 'regression-*' -printf '%s %p\n' | sort -n | tail -1 |
        cut -d' ' -f2-)"
      [ -n "$largest" ] || break
      rm -f "$largest"
    done
  fi

  last="$(grep -E '^#[0-9]+' "$log" | grep -E 'cov:' | tail -1 || true)"
  cov="$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")"
  ft="$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")"
  corp="$(sed -nE 's/.* corp: ([0-9]+\/[0-9]+[a-zA-Z]*).*/\1/p' <<<"$last")"
  executed="$(sed -nE 's/^stat::number_of_executed_units: +([0-9]+)/\1/p' "$log" | awk '{ n += $1 } END { print n }')"
  # Runs per second of processor time: the machine may be shared.
  rate="$(awk -v n="${executed:-0}" '{ t += $1 + $2 } END { if (t > 0) printf "%d", n / t }' "$times")"
  printf '%-10s %10s %8s %7s %7s %12s %8s\n' "$name" "${executed:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" \
    "${corp:-?}" "$(find "$findings" -type f | wc -l)" | tee -a "$summary"
  grep -E '^(==[0-9]+==ERROR|SUMMARY|.*broken rule|.*runtime error)' "$log" | head -5 || true
done
