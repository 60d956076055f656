#!/usr/bin/env bash
# Shows the real open, save and folder dialogs over Pictolan's window on a virtual X display
# (Xvfb) and keeps screenshots of them in BUILD/screenshots (BUILD: the tests' build folder,
# default build). Builds the window tests first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target test_window
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  "$build/tests/test_window" --gtest_filter='DialogScreenshotTest.*'
ls -1 "$build"/screenshots/dialog_*.png
