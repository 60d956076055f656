#!/usr/bin/env bash
# Brings the catalogs (i18n/pictolan_*.ts) up to date with the program's texts: every
# TR("context", "text") of the sources and every text the main window's form shows (context
# "form"). A translator then fills in a catalog with Qt Linguist (linguist i18n/pictolan_LANG.ts);
# the build compiles it. A new language is a new file: cp i18n/pictolan_en.ts i18n/pictolan_xx.ts,
# set its language attribute, run this script and translate.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The form's shown texts as TR markers lupdate reads.
sed -n -E 's/^[[:space:]]*(caption|title|item|page|filter)[[:space:]]+("([^"\\]|\\.)*").*/TR("form", \2);/p' \
  ui/main_window.form > "$work/form_texts.cpp"
"$lupdate" -silent -no-obsolete -locations none -tr-function-alias QT_TRANSLATE_NOOP+=TR,QT_TRANSLATE_NOOP+=TR_UTF8 \
  ui extract icofile imaging frame platform cli "$work/form_texts.cpp" -ts i18n/pictolan_*.ts
