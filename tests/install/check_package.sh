#!/usr/bin/env bash
# Builds the Debian package from the build tree, as `cpack -G DEB` there does, and checks it: its
# fields, its files (all under /usr, owned by root, binaries stripped, the documents Debian asks
# for), that the package of every library a binary links is in Depends, that the packed programs
# run, and, where lintian is installed, that lintian reports no error and no warning.
#
# Usage: tests/install/check_package.sh BUILD_DIR VERSION
set -euo pipefail
. "$(dirname "$0")/check_helpers.sh"
build=$1
version=$2
out=$scratch

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$out/cpack.log")"
arch=$(dpkg --print-architecture)
deb=$out/pictolan_${version}_$arch.deb
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$out")"

dpkg-deb --info "$deb" >"$out/info"
field() { sed -n "s/^ $1: //p" "$out/info"; }
[ "$(field Package)" = pictolan ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = graphics ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^[A-Za-z].*\ \<[^@\ ]+@[^@\ ]+\>$ ]] || fail "Maintainer"
[[ "$(field Homepage)" =~ ^https:// ]] || fail "Homepage: $(field Homepage)"
[ -n "$(field Description)" ] || fail "no short description"
[ "$(grep -c '^  [^ ]' "$out/info")" -ge 3 ] || fail "no long description"
depends=" $(field Depends | sed 's/ ([^)]*)//g; s/,/ /g') "
for loaded in qt6-image-formats-plugins fonts-wqy-microhei xdg-utils; do
  [[ "$depends" == *" $loaded "* ]] || fail "Depends lacks $loaded: $(field Depends)"
done
[ "$(field Recommends)" = qt6-translations-l10n ] || fail "Recommends: $(field Recommends)"

dpkg-deb --contents "$deb" >"$out/contents"
awk '$2 != "root/root"' "$out/contents" | grep . && fail "files not owned by root"
sed 's/.* \.\//\//; s/ -> .*//' "$out/contents" | grep -v '^/$' >"$out/paths"
grep -v '^/usr/' "$out/paths" && fail "files outside /usr"
id=org.pictolan.Pictolan
expected=(/usr/bin/pictolan /usr/bin/pictolan-cli /usr/lib/pictolan/pictolan-pictures.so
  /usr/lib/pictolan/pictolan-desktop.so /usr/share/applications/$id.desktop
  /usr/share/metainfo/$id.metainfo.xml /usr/share/man/man1/pictolan.1.gz
  /usr/share/man/man1/pictolan-cli.1.gz /usr/share/bash-completion/completions/pictolan-cli
  /usr/share/doc/pictolan/copyright /usr/share/doc/pictolan/changelog.gz
  /usr/share/pictolan/translations/pictolan_en.qm)
for size in 16 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
for path in "${expected[@]}"; do
  grep -qx -- "$path" "$out/paths" || fail "the package lacks $path"
done

root=$out/root
dpkg-deb --extract "$deb" "$root"
latest=$(zcat "$root/usr/share/doc/pictolan/changelog.gz" | sed -n '1s/^pictolan (\([^)]*\)).*/\1/p')
[ "$latest" = "$version" ] || fail "the changelog's latest entry is for '$latest', not $version"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for binary in "$root"/usr/bin/* "$root"/usr/lib/pictolan/*; do
  readelf -S --wide "$binary" | grep -E ' \.(symtab|debug_info) ' >/dev/null &&
    fail "$binary is not stripped"
  for library in $(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    [ -e "$root/usr/lib/pictolan/$library" ] && continue
    owner=$(dpkg -S "*/$multiarch/$library" | sed -n '1s/:.*//p') ||
      fail "no package holds $library"
    [[ "$depends" == *" $owner "* ]] || fail "Depends lacks $owner ($library)"
  done
done

[ "$("$root/usr/bin/pictolan" --version)" = "pictolan $version" ] || fail "packed pictolan"
picture=/usr/share/nsis/Contrib/Graphics/Icons/modern-install.ico
"$root/usr/bin/pictolan-cli" convert -o "$out/out.ico" "$picture" --sizes 16 >/dev/null ||
  fail "the packed pictolan-cli with its packed plugins"

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$out/lintian" 2>&1 || fail "lintian: $(cat "$out/lintian")"
fi
echo "packed and checked $(basename "$deb")"
