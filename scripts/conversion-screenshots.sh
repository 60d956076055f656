#!/usr/bin/env bash
# Shows the conversion page on a virtual X display (Xvfb) after listing a folder of the desktop
# theme's pictures, with a picture previewed and three images collected, and keeps the
# screenshot in BUILD/screenshots (BUILD: the tests' build folder, default build). Builds the page
# tests first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target test_pages
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  "$build/tests/test_pages" --gtest_filter='ConversionScreenshotTest.*'
ls -1 "$build"/screenshots/conversion_page_*.png
