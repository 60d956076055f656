#!/usr/bin/env bash
# Runs every libFuzzer harness, one after the other, for SECONDS each (default 600), outside the
# test run. Builds the fuzzer tree (build-fuzz, clang) first. A crash input is kept in
# tests/data/crashers/<harness>/, where the tests replay it: commit it once it is fixed.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPICTOLAN_FUZZ=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
cmake --build build-fuzz
failed=()
for source in fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  echo "== $name: ${seconds}s"
  if ! QT_QPA_PLATFORM=offscreen scripts/run-fuzzer.sh "build-fuzz/fuzz/fuzz_$name" "$seconds" \
      "tests/data/crashers/$name" "tests/data/crashers/$name" 2>"build-fuzz/fuzz/$name.log"; then
    failed+=("$name")
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|^(==|SUMMARY)" \
    "build-fuzz/fuzz/$name.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Crashed: ${failed[*]} (inputs in tests/data/crashers/, logs in build-fuzz/fuzz/)" >&2
  exit 1
fi
