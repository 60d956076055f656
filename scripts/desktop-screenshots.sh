#!/usr/bin/env bash
# Starts the built window on a virtual X display (Xvfb) as the desktop starts it for a file,
# `pictolan FILE`, and keeps screenshots of what the display shows in BUILD/screenshots (BUILD:
# the build folder, default build): desktop_module.png (a real module of nsis-common),
# desktop_module_x2.png (the same at QT_SCALE_FACTOR=2) and desktop_icon_x2.png (nsis-common's
# icon of sizes 16 to 256 at QT_SCALE_FACTOR=2, drawn from its 64-pixel image). Builds the
# window and the screenshot tool first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
module=/usr/share/nsis/Stubs/zlib-x86-unicode
icon=/usr/share/nsis/Contrib/Graphics/Icons/nsis-menu.ico
cmake --build "$build" --target pictolan pictolan-screenshot
mkdir -p "$build/screenshots"

shoot() {  # SCALE SCREEN FILE OUT
  xvfb-run -a -s "-screen 0 $2 -nolisten tcp" bash -c '
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$1 "$2/pictolan" "$3" &
    pictolan=$!
    status=0
    QT_QPA_PLATFORM=xcb "$2/tools/pictolan-screenshot" "$4" 30 || status=$?
    kill "$pictolan"
    wait "$pictolan" 2>/dev/null || true
    exit "$status"' _ "$1" "$build" "$3" "$4"
}
shoot 1 1024x768x24 "$module" "$build/screenshots/desktop_module.png"
shoot 2 1600x1200x24 "$module" "$build/screenshots/desktop_module_x2.png"
shoot 2 1600x1200x24 "$icon" "$build/screenshots/desktop_icon_x2.png"
ls -1 "$build"/screenshots/desktop_*.png
