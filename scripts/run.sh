#!/usr/bin/env bash
# Builds Pictolan and starts it. The build (in build-run) leaves tests and benchmarks out, so only
# what running needs has to be installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTOLAN_TESTS=OFF \
  -DPICTOLAN_BENCH=OFF >/dev/null
cmake --build build-run
exec build-run/pictolan "$@"
