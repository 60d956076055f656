# What the install checks share, sourced by each after `set -euo pipefail`: `fail` says what is
# wrong and ends the check, and $scratch is a private temporary folder removed when it exits.
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
