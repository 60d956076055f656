#!/usr/bin/env bash
# Builds everything and runs every test: the suite, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzzer for a short while. Ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

root=$(pwd)
fuzz_seconds=${PICTOLAN_FUZZ_SECONDS:-45}

echo "== Sanitizer build (build-asan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPICTOLAN_SANITIZE=ON \
  -DPICTOLAN_TESTS=ON -DPICTOLAN_BENCH=OFF -DCMAKE_CXX_FLAGS="-O1" >/dev/null
cmake --build build-asan

echo "== Fuzzer build (build-fuzz, clang)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPICTOLAN_FUZZ=ON >/dev/null
cmake --build build-fuzz

echo "== Main build (build)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTOLAN_TESTS=ON \
  -DPICTOLAN_BENCH=ON \
  -DPICTOLAN_ASAN_BUILD_DIR="$root/build-asan" -DPICTOLAN_FUZZ_BUILD_DIR="$root/build-fuzz" \
  -DPICTOLAN_FUZZ_SECONDS="$fuzz_seconds" >/dev/null
cmake --build build

echo "== Tests"
ctest --test-dir build --output-on-failure -j"$(nproc)"
