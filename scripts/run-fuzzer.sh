#!/usr/bin/env bash
# Runs one libFuzzer harness for a bounded time over a scratch copy of its seed corpus; known
# crash inputs are replayed first. A crash leaves its input in the build folder and fails.
#   run-fuzzer.sh FUZZER SECONDS SEED_DIR CRASH_DIR
set -euo pipefail
fuzzer=$1 seconds=$2 seeds=$3 crashers=$4
work=$(dirname "$fuzzer")/work-$(basename "$fuzzer")
rm -rf "$work" && mkdir -p "$work/corpus" "$work/artifacts"
[ -d "$seeds" ] && cp -r "$seeds"/. "$work/corpus/" 2>/dev/null || true
if [ -d "$crashers" ] && [ -n "$(ls -A "$crashers")" ]; then
  "$fuzzer" -runs=0 "$crashers"/*
fi
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus"
