#!/usr/bin/env bash
# Shows the extraction page on a virtual X display (Xvfb) after opening a module of many real
# icons, while extract-all runs and after it, and keeps the screenshots in BUILD/screenshots
# (BUILD: the tests' build folder, default build). Builds the page tests first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target test_pages
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  "$build/tests/test_pages" --gtest_filter='ExtractionScreenshotTest.*'
ls -1 "$build"/screenshots/extraction_page_*.png
