#!/usr/bin/env bash
# Builds Pictolan and starts it. The build (in build-run) leaves tests and benchmarks out, so only
# what running needs has to be installed. Without a display (a server), Pictolan starts on a
# virtual X display (Xvfb); a screenshot of its window is saved and the script says where, then
# waits until Pictolan ends. Closing the window ends Pictolan with exit code 0.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTOLAN_TESTS=OFF \
  -DPICTOLAN_BENCH=OFF >/dev/null
cmake --build build-run --target pictolan pictolan-screenshot

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build-run/pictolan
fi

# No display: a virtual one, which goes when Pictolan ends.
display_file=$(mktemp)
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
if [ ! -s "$display_file" ]; then
  echo "The virtual display (Xvfb) did not start." >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$display_file")"
unset QT_QPA_PLATFORM

build-run/pictolan &
pictolan=$!
mkdir -p build-run/screenshots
shot="$(pwd)/build-run/screenshots/pictolan-running.png"
if QT_QPA_PLATFORM=xcb build-run/tools/pictolan-screenshot "$shot" 30; then
  echo "Pictolan is running on the virtual display $DISPLAY (process $pictolan)."
  echo "Screenshot of its window: $shot"
else
  echo "Pictolan started on $DISPLAY (process $pictolan), but no screenshot could be taken." >&2
fi
echo "It runs until its window is closed (or: kill $pictolan)."
status=0
wait "$pictolan" || status=$?
exit "$status"
