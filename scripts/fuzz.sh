#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang and runs one of them
# (NAME) or all of them for SECONDS each (30 unless given). Their seeds are
# copied into a corpus in the build directory, which grows from run to run.
# A crash fails the run; its reproducer is saved under
# tests/fuzz/NAME/crashes-found/ and its report printed.
#   scripts/fuzz.sh [NAME] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
only=${1:-}
seconds=${2:-30}
build=build-fuzz
all=()
for source in tests/fuzz/*/*_fuzz.cpp; do
  all+=("$(basename "$(dirname "$source")")")
done
names=("${all[@]}")
if [ -n "$only" ]; then
  if [[ ! " ${all[*]} " =~ " $only " ]]; then
    echo "unknown harness '$only'; one of: ${all[*]}" >&2
    exit 2
  fi
  names=("$only")
fi

./scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DTREMOLUX_FUZZ=ON -DTREMOLUX_TESTS=OFF \
  -DTREMOLUX_BENCHMARKS=OFF >/dev/null
target=fuzzers
[ -z "$only" ] || target=fuzz_$only
cmake --build "$build" -j"$(nproc)" --target "$target"

# The format guess sees every kind of feed: it starts from all their seeds; the
# table scanner meets the HTML ones.
sources_of() {
  case "$1" in
    feed_document) echo html_document geojson_document csv_document fdsn_text_document ;;
    plain_table_page) echo html_document ;;
    *) echo "$1" ;;
  esac
}

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for name in "${names[@]}"; do
  scratch=$build/fuzz-runs/$name
  crashes=tests/fuzz/$name/crashes-found
  mkdir -p "$scratch/corpus" "$crashes"
  : >"$scratch/dict"
  for source in $(sources_of "$name"); do
    cp tests/fuzz/"$source"/seeds/* "$scratch/corpus/"
    cat tests/fuzz/"$source"/"$source".dict >>"$scratch/dict"
  done
  echo "== $name: ${seconds}s"
  # libFuzzer refuses an empty dictionary: a harness of raw numbers has none.
  dict=()
  [ ! -s "$scratch/dict" ] || dict=(-dict="$scratch/dict")
  # Qt's font caches grow with every new glyph drawn, which a leak check takes
  # for leaks; the paint harness compares pixels, not memory.
  leaks=1
  [ "$name" != quake_paint ] || leaks=0
  if ASAN_OPTIONS=detect_leaks=$leaks "$build/tests/fuzz/fuzz_$name" "$scratch/corpus" "${dict[@]}" \
      -detect_leaks=$leaks -max_total_time="$seconds" -max_len=65536 -timeout=30 -rss_limit_mb=2048 \
      -artifact_prefix="$crashes/" -print_final_stats=1 >"$scratch/log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec)' \
      "$scratch/log" || true
  else
    failed+=("$name")
    echo "-- $name failed; the report:"
    sed -n '/^==[0-9]*==\|check failed\|runtime error\|ERROR: libFuzzer/,/^SUMMARY/p' "$scratch/log" | head -n 80
    reproducer=$(grep -o "written to .*" "$scratch/log" | tail -n 1 | cut -d' ' -f3-)
    echo "-- reproducer: $reproducer"
    echo "   rerun with: $build/tests/fuzz/fuzz_$name $reproducer"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}" >&2
  exit 1
fi
