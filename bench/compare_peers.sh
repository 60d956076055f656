#!/usr/bin/env bash
# Times pictolan-cli against its peers on the same work, side by side in one run, and prints each
# pair's wall times and their ratio (ours / theirs; below 1 is faster):
#   - every icon group of a module with many groups to .ico files: ours vs icoutils' wrestool;
#   - every group to a 32 x 32 PNG: ours vs wrestool, then icotool on its icon files;
#   - a 1024 x 1024 picture to one icon of 16 to 128 pixels and a 256 x 256 PNG image: ours vs
#     ImageMagick (skipped when it is not installed);
#   - every icon group of nsis-common's stubs, one command per stub and one for them all: ours vs
#     wrestool;
#   - start-up: `info` on one stub against `wrestool -l` (STARTUP_RUNS times, default 40), the
#     cost of a command that only reads bytes.
# Each command runs RUNS times (default 5) into a fresh folder; the median wall time is shown and
# judged, and beside it the ratio of the median processor times (user + system).
#
# Usage: bench/compare_peers.sh [BUILD_DIR]   (default: build, configured with benchmarks on)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${RUNS:-5}
cli=$build/pictolan-cli
make_inputs=$build/bench/pictolan_peer_inputs
cmake --build "$build" --target pictolan-cli pictolan_peer_inputs >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$make_inputs" "$work/in"
module=$work/in/many-groups.dll
picture=$work/in/picture-1024.png

have() { command -v "$1" >/dev/null 2>&1; }
# ImageMagick's convert; another program of that name (GraphicsMagick's) does not count.
magick=""
for candidate in magick convert-im6.q16 convert; do
  if have "$candidate" && "$candidate" -version 2>/dev/null | grep -q ImageMagick; then
    magick=$candidate
    break
  fi
done

source bench/timing.sh

ours_ico() { "$cli" extract "$module" --all --format ico --out "$work/out/x"; }
wrestool_ico() { wrestool -x -t14 -o "$work/out" "$module"; }
ours_png() { "$cli" extract "$module" --all --format png --out "$work/out/x"; }
icoutils_png() {
  mkdir -p "$work/out/ico" "$work/out/png"
  wrestool -x -t14 -o "$work/out/ico" "$module" &&
    icotool -x -w 32 -h 32 -b 32 -o "$work/out/png" "$work/out/ico"/*.ico
}
ours_convert() {
  "$cli" convert -o "$work/out/x.ico" "$picture" --sizes 16,24,32,48,64,96,128,png
}
magick_convert() {
  "$magick" "$picture" -define icon:auto-resize=256,128,96,64,48,32,24,16 "$work/out/x.ico"
}
stubs=()
for stub in /usr/share/nsis/Stubs/*; do
  if [ -f "$stub" ] && head -c 2 "$stub" | grep -q '^MZ'; then
    cp "$stub" "$work/in/$(basename "$stub").exe"  # a module by its extension
    stubs+=("$work/in/$(basename "$stub").exe")
  fi
done
ours_stubs() {
  for s in "${stubs[@]}"; do "$cli" extract "$s" --all --out "$work/out/$(basename "$s")"; done
}
wrestool_stubs() { for s in "${stubs[@]}"; do wrestool -x -t14 -o "$work/out" "$s"; done; }
ours_stubs_once() { "$cli" extract --all "${stubs[@]}" --out "$work/out"; }
wrestool_stubs_once() { wrestool -x -t14 -o "$work/out" "${stubs[@]}"; }
ours_startup() { "$cli" info "${stubs[0]}"; }
wrestool_startup() { wrestool -l "${stubs[0]}"; }

info=$("$cli" info "$module")
groups=$(sed -n '1s/.*module, \([0-9]*\) icons.*/\1/p' <<<"$info")
images=$(grep -c ' bytes$' <<<"$info")
echo "Module: $groups icon groups, $images images, $(($(stat -c %s "$module") / 1024)) KiB; picture 1024 x 1024;"
echo "${#stubs[@]} nsis-common stubs. Median of $runs runs (start-up: ${STARTUP_RUNS:-40}): wall time, and"
echo "the ratio of processor times (cpu)."
echo
printf '%-34s %10s %10s %7s %7s\n' "work" "ours" "peer" "ratio" "cpu"
if have wrestool && have icotool; then
  row "groups to .ico (wrestool)" "$(median ours_ico)" "$(median wrestool_ico)" 0.2
  row "groups to 32x32 PNG (+icotool)" "$(median ours_png)" "$(median icoutils_png)" 0.3
  if [ ${#stubs[@]} -gt 0 ]; then
    row "nsis-common stubs to .ico" "$(median ours_stubs)" "$(median wrestool_stubs)" ""
    row "the stubs to .ico, one call" "$(median ours_stubs_once)" "$(median wrestool_stubs_once)" ""
    startup_runs=${STARTUP_RUNS:-40}
    row "start-up: info on one stub (-l)" "$(count=$startup_runs median ours_startup)" \
      "$(count=$startup_runs median wrestool_startup)" 2
  fi
else
  echo "icoutils (wrestool, icotool) are not installed: extraction not compared"
fi
if [ -n "$magick" ]; then
  row "picture to 8-image .ico ($magick)" "$(median ours_convert)" "$(median magick_convert)" 0.3
else
  echo "ImageMagick is not installed: conversion not compared (apt-get install imagemagick)"
fi
