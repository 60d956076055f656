#!/usr/bin/env bash
# Runs one libFuzzer harness for a bounded time. Its inputs (seeds and every input it ever crashed
# on) are replayed first and must all pass; then it fuzzes over a scratch copy of them. A crash
# leaves its input in the artifact folder (default: beside the fuzzer) and fails.
#   run-fuzzer.sh FUZZER SECONDS INPUT_DIR [ARTIFACT_DIR]
set -euo pipefail
fuzzer=$1 seconds=$2 inputs=$3
work=$(dirname "$fuzzer")/work-$(basename "$fuzzer")
artifacts=${4:-$work/artifacts}
if [ ! -d "$inputs" ] || [ -z "$(ls -A "$inputs")" ]; then
  echo "run-fuzzer.sh: no inputs in $inputs: every harness keeps its seeds there" >&2
  exit 1
fi
rm -rf "$work" && mkdir -p "$work/corpus" "$artifacts"
"$fuzzer" -runs=0 "$inputs"/*
cp -r "$inputs"/. "$work/corpus/"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="${artifacts%/}/" "$work/corpus"
