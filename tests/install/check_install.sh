#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, as a package would, and checks what the desktop
# and the shell get there: the desktop entry and AppStream data pass their validators, the icon
# is there at every size, both programs run from there (pictolan-cli with its plugin) and tell
# the build's version, the manual pages render without warnings, pictolan-cli's names every
# command and option, and the completion completes.
#
# Usage: tests/install/check_install.sh BUILD_DIR VERSION
set -euo pipefail
. "$(dirname "$0")/check_helpers.sh"
build=$1
version=$2
dest=$scratch

prefix=/opt/pictolan  # any prefix: the programs find their plugin relative to themselves
DESTDIR=$dest cmake --install "$build" --prefix "$prefix" >/dev/null
root=$dest$prefix
id=org.pictolan.Pictolan

for program in pictolan pictolan-cli; do
  [ -x "$root/bin/$program" ] || fail "$program is not installed in bin/"
  [ "$("$root/bin/$program" --version)" = "$program $version" ] || fail "$program --version"
done

entry=$root/share/applications/$id.desktop
problems=$(desktop-file-validate "$entry") || fail "desktop-file-validate: $problems"
[ -z "$problems" ] || fail "desktop-file-validate: $problems"
# Offered for programs, libraries, icons and pictures, never made the default for pictures.
"$(dirname "$0")/../desktop/check_entry.sh" "$root" >/dev/null || fail "the desktop entry's types"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml")"

for size in 16 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x$size/apps/$id.png
  [ -f "$icon" ] || fail "no $size x $size icon"
  # The PNG header's width and height, big-endian at bytes 16 and 20.
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$icon")
  [ "$w $h" = "$size $size" ] || fail "the $size x $size icon is $w x $h"
done

# The installed CLI, its plugin found beside it: a byte-only command and a picture command.
work=$dest/work
mkdir -p "$work"
stub=$(find /usr/share/nsis/Stubs -type f | sort | head -n 1)
"$root/bin/pictolan-cli" info "$stub" | grep -q '1 icon' || fail "pictolan-cli info"
picture=/usr/share/nsis/Contrib/Graphics/Icons/modern-install.ico
"$root/bin/pictolan-cli" convert -o "$work/out.ico" "$picture" --sizes 16,png >/dev/null ||
  fail "pictolan-cli convert (the plugin in $prefix)"
[ "$(od -An -tu1 -j4 -N1 "$work/out.ico" | tr -d ' ')" = 2 ] || fail "the converted icon"

[ -f "$root/share/pictolan/translations/pictolan_en.qm" ] || fail "the English catalog"

for page in "$root"/share/man/man1/pictolan{,-cli}.1; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $(basename "$page"): $warnings"
done
text=$(MANWIDTH=200 man -l "$root/share/man/man1/pictolan-cli.1" 2>/dev/null)
for command in $("$root/bin/pictolan-cli" help | sed -n 's/^  pictolan-cli \([a-z-]*\).*/\1/p'); do
  grep -q -- "$command" <<<"$text" || fail "the manual page lacks the command $command"
  for option in $("$root/bin/pictolan-cli" "$command" --help | grep -o -- ' --\?[a-z][a-z-]*' |
    sort -u); do
    grep -q -- "$option" <<<"$text" || fail "the manual page lacks $command's option $option"
  done
done

completions() {  # the words so far, the last one being completed
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _pictolan_cli
           echo "${COMPREPLY[*]}"' _ "$root/share/bash-completion/completions/pictolan-cli" "$@"
}
[ "$(completions pictolan-cli ex)" = extract ] || fail "completion of a command"
[ "$(completions pictolan-cli extract x.dll --format bmp)" = "bmp bmp-transparent" ] ||
  fail "completion of a format"
[ "$(completions pictolan-cli convert --sizes 16,12)" = "16,128" ] || fail "completion of a size"
echo "installed and checked in $prefix"
