#!/usr/bin/env bash
# Times pictolan-cli over a whole software tree in one call, side by side in one run, and prints
# each pair's wall times and their ratio (ours / theirs; below 1 is faster):
#   - every icon group of every module to .ico files (`extract --all -r`, as many jobs as
#     processors) against icoutils' wrestool -x -t14, once per folder (one call over the whole
#     tree would write modules of one name in different folders over each other) and, for scale,
#     once over the tree;
#   - the same against reading every byte of the tree once (cat);
#   - the tree to 32 x 32 PNG pictures with --jobs 2 against --jobs 1;
#   - the peak memory of 10,000 inputs against 100 (links to the tree's modules), as PNG.
# The tree (bench/peers/make_inputs.cpp --tree): MODULES modules (default 640) in program folders,
# most without icons, from nsis-common's icons and modules of the shape the tests' PE and NE
# writers make, with a text and a data file per program. Afterwards it checks that ours and
# wrestool wrote as many icon files, and that icotool decodes them to the same pictures.
# Each command runs RUNS times (default 5) into a fresh folder; the median wall time is shown and
# judged, and beside it the ratio of the median processor times (user + system).
#
# Usage: bench/batch_tree.sh [BUILD_DIR]   (default: build, configured with benchmarks on)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${RUNS:-5}
modules=${MODULES:-640}
cli=$build/pictolan-cli
make_inputs=$build/bench/pictolan_peer_inputs
cmake --build "$build" --target pictolan-cli pictolan_peer_inputs >/dev/null
for tool in wrestool icotool /usr/bin/time; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool is missing (scripts/deps.sh test installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
written=$("$make_inputs" --tree "$tree" "$modules")
source bench/timing.sh

mapfile -t files < <(find "$tree" -type f | sort)
mapfile -t folders < <(cd "$tree" && find . -type d | sort)

ours_ico() { "$cli" extract --all -r "$tree" --out "$work/out"; }
wrestool_folders() {
  local folder file inside
  for folder in "${folders[@]}"; do
    inside=()
    for file in "$tree/$folder"/*; do [ -f "$file" ] && inside+=("$file"); done
    [ ${#inside[@]} -gt 0 ] || continue
    mkdir -p "$work/out/$folder"
    wrestool -x -t14 -o "$work/out/$folder" "${inside[@]}" || true  # it names what is no module
  done
}
wrestool_once() { wrestool -x -t14 -o "$work/out" "${files[@]}" || true; }
cat_tree() { cat "${files[@]}" >/dev/null; }
ours_png() { "$cli" extract --all --format png -r "$tree" --out "$work/out" --jobs "$1"; }
ours_png1() { ours_png 1; }
ours_png2() { ours_png 2; }

# Peak memory (KiB) of the PNG batch over N links to the tree's modules.
peak_memory() {
  "$make_inputs" --links "$work/links-$1" "$1" "$tree"
  rm -rf "$work/out"
  /usr/bin/time -f %M -o "$work/peak" "$cli" extract --all --format png -r "$work/links-$1" \
    --out "$work/out" >/dev/null 2>&1
  cat "$work/peak"
}

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "Tree: $written modules in ${#folders[@]} folders, ${#files[@]} files," \
  "$(du -sm "$tree" | cut -f1) MiB. Machine: $(nproc) processors ($cpu), load $(cut -d' ' -f1-3 /proc/loadavg)."
echo "Median of $runs runs: wall time, and the ratio of processor times (cpu)."
echo
printf '%-34s %10s %10s %7s %7s\n' "work" "ours" "other" "ratio" "cpu"
ico=$(median ours_ico)
row "tree to .ico (wrestool per folder)" "$ico" "$(median wrestool_folders)" 0.4
row "tree to .ico (wrestool, one call)" "$ico" "$(median wrestool_once)" ""
row "tree to .ico (cat of every file)" "$ico" "$(median cat_tree)" 1.5
row "tree to PNG, --jobs 2 (--jobs 1)" "$(median ours_png2)" "$(median ours_png1)" 0.65
few=$(peak_memory 100)
many=$(peak_memory 10000)
awk -v few="$few" -v many="$many" 'BEGIN {
  ratio = many / few
  printf "%-34s %8d KiB %6d KiB %5.2f           %s\n", "peak memory, 10,000 inputs (100)",
         many, few, ratio, ratio <= 1.5 ? "<= 1.5 met" : "> 1.5 MISSED"
}'
echo "(load afterwards: $(cut -d' ' -f1-3 /proc/loadavg))"

# The same icon files as wrestool's, decoding to the same pictures: every image icotool decodes
# from ours is one it decodes from wrestool's (compared as sets of PNG files' digests).
decoded() {  # FOLDER: the digests of every image of every icon file under it; the count of icon
  local n=0 undecodable=0 file  # files icotool refuses goes to $work/undecodable
  rm -rf "$work/png" && mkdir -p "$work/png"
  while read -r file; do
    n=$((n + 1))
    mkdir "$work/png/$n"
    icotool -x -o "$work/png/$n" "$file" 2>/dev/null || undecodable=$((undecodable + 1))
  done < <(find "$1" -name '*.ico' | sort)
  echo "$undecodable" >"$work/undecodable"
  find "$work/png" -name '*.png' -exec md5sum {} + | cut -d' ' -f1 | sort
}
rm -rf "$work/out" && mkdir -p "$work/out" && ours_ico >/dev/null 2>&1 || true
mv "$work/out" "$work/ours"
rm -rf "$work/out" && mkdir -p "$work/out" && wrestool_folders 2>/dev/null
mv "$work/out" "$work/theirs"
ours_files=$(find "$work/ours" -name '*.ico' | wc -l)
their_files=$(find "$work/theirs" -name '*.ico' | wc -l)
decoded "$work/ours" >"$work/ours.md5"
ours_undecodable=$(cat "$work/undecodable")
decoded "$work/theirs" >"$work/theirs.md5"
their_undecodable=$(cat "$work/undecodable")
foreign=$(comm -23 "$work/ours.md5" "$work/theirs.md5" | wc -l)
echo
echo "Icon files: ours $ours_files, wrestool's $their_files;" \
  "images icotool decodes: ours $(wc -l <"$work/ours.md5"), wrestool's $(wc -l <"$work/theirs.md5")," \
  "$foreign of ours not among wrestool's; icon files icotool refuses: ours $ours_undecodable," \
  "wrestool's $their_undecodable."
if [ "$ours_files" -eq "$their_files" ] && [ "$foreign" -eq 0 ] && [ "$ours_undecodable" -eq 0 ] &&
  cmp -s "$work/ours.md5" "$work/theirs.md5"; then
  echo "Same icon files and the same decoded pictures as wrestool's."
else
  echo "NOT the same icon files or decoded pictures as wrestool's."
fi
