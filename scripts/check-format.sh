#!/usr/bin/env bash
# Fails when a C++ source of the tree is not formatted as .clang-format says, and names the files.
# The tree is formatted as a whole, so this catches drift in any change.
#   scripts/check-format.sh          check
#   scripts/check-format.sh --fix    format the files in place
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null 2>&1; then
  echo "check-format.sh: $format not found (scripts/deps.sh test installs it)" >&2
  exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h' ':!:tests/data/*')
else
  mapfile -t files < <(find . -path './build*' -prune -o -path ./tests/data -prune -o \
                         \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
fi
if [ "${1:-}" = "--fix" ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
drift=()
for f in "${files[@]}"; do
  "$format" --dry-run -Werror "$f" >/dev/null 2>&1 || drift+=("$f")
done
if [ ${#drift[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (run scripts/check-format.sh --fix):" >&2
  printf '  %s\n' "${drift[@]}" >&2
  exit 1
fi
echo "${#files[@]} files formatted"
