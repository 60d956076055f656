#!/usr/bin/env bash
# Checks an installed desktop entry as the desktop reads it: Exec takes files (%F) and the entry
# declares Windows programs, libraries and icons and the common pictures. Where GIO's gio and
# xdg-utils' xdg-mime are installed, in a private XDG environment holding the entry, a picture
# viewer and the distribution's default list naming that viewer for pictures, both offer Pictolan
# for nsis-common's real .exe, .dll and .ico files, and the viewer stays the default for PNG.
#
# Usage: tests/desktop/check_entry.sh ROOT   (ROOT/bin/pictolan, ROOT/share/applications/...)
set -euo pipefail
root=$1
id=org.pictolan.Pictolan
entry=$root/share/applications/$id.desktop
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

grep -qx 'Exec=pictolan %F' "$entry" || fail "the entry's Exec does not take files"
types=$(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' ')
for type in application/x-ms-dos-executable application/x-msdownload \
  application/vnd.microsoft.portable-executable application/x-ms-ne-executable \
  image/vnd.microsoft.icon image/x-icon image/png image/jpeg image/gif image/bmp image/tiff; do
  grep -qw -- "$type" <<<"$types" || fail "the entry does not declare $type"
done
grep -q '^MimeType=.*inode/directory' "$entry" && fail "the entry claims folders"

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/share/applications" "$sandbox/home/.config" "$sandbox/etc"
ln -s /usr/share/mime "$sandbox/share/mime"
cp "$entry" "$sandbox/share/applications/"
cat >"$sandbox/share/applications/viewer.desktop" <<'VIEWER'
[Desktop Entry]
Type=Application
Name=Picture Viewer
Exec=true %F
MimeType=image/png;image/jpeg;
VIEWER
printf '[Default Applications]\nimage/png=viewer.desktop\n' \
  >"$sandbox/share/applications/mimeapps.list"
command -v update-desktop-database >/dev/null &&
  update-desktop-database "$sandbox/share/applications"

in_sandbox() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    HOME="$sandbox/home" XDG_DATA_HOME="$sandbox/home/.local/share" \
    XDG_CONFIG_HOME="$sandbox/home/.config" XDG_CONFIG_DIRS="$sandbox/etc" \
    XDG_DATA_DIRS="$sandbox/share" PATH="$root/bin:$PATH" "$@"
}

checked=0
if command -v gio >/dev/null; then
  program=$(find /usr/share/nsis/Stubs -type f | sort | head -n 1)
  library=$(find /usr/share/nsis/Plugins -name '*.dll' | sort | head -n 1)
  icon=/usr/share/nsis/Contrib/Graphics/Icons/modern-install.ico
  for file in "$program" "$library" "$icon"; do
    type=$(in_sandbox gio info -a standard::content-type "$file" |
      sed -n 's/^ *standard::content-type: //p')
    offered=$(in_sandbox gio mime "$type")
    grep -q "$id.desktop" <<<"$offered" || fail "gio offers no Pictolan for $file ($type)"
  done
  png=$(in_sandbox gio mime image/png)
  grep -q 'Default application for .*: viewer.desktop' <<<"$png" ||
    fail "gio: Pictolan became the default for PNG: $png"
  grep -q "$id.desktop" <<<"$png" || fail "gio offers no Pictolan for PNG"
  checked=$((checked + 1))
fi
if command -v xdg-mime >/dev/null; then
  [ "$(in_sandbox xdg-mime query default image/png)" = viewer.desktop ] ||
    fail "xdg-mime: the default for PNG is $(in_sandbox xdg-mime query default image/png)"
  [ "$(in_sandbox xdg-mime query default application/x-ms-dos-executable)" = "$id.desktop" ] ||
    fail "xdg-mime: no Pictolan for Windows programs"
  checked=$((checked + 1))
fi
echo "desktop entry checked ($checked of gio and xdg-mime there)"
