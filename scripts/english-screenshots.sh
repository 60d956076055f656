#!/usr/bin/env bash
# Shows Pictolan in English on a virtual X display (Xvfb): both pages and a message box, kept in
# BUILD/screenshots/english_*.png (BUILD: the tests' build folder, default build). Builds the
# English tests first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target test_english
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  "$build/tests/test_english" --gtest_filter='EnglishWindowTest.Screenshots'
ls -1 "$build"/screenshots/english_*.png
