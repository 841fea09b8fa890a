#!/usr/bin/env bash
# Installs the build under a scratch prefix, checks every installed file with
# the desktop's own validators, and starts the installed program once to see
# that it keeps its settings in the user's data folder, not beside itself.
# Usage: install_check.sh BUILD_DIR PROJECT_VERSION
set -euo pipefail
build=$1 version=$2
id=io.github.velloran.Quillon
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/quillon share/quillon/quillon-help.html share/applications/$id.desktop \
         share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/quillon" ] || fail "bin/quillon is not executable"

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
xmllint --noout "$prefix/share/mime/packages/$id.xml" "$prefix/share/icons/hicolor/scalable/apps/$id.svg"

# The menu entry, the album file type, the icon and the software-centre entry name each other.
grep -qx "Icon=$id" "$desktop" || fail "the desktop file names another icon"
grep -qx "Categories=AudioVideo;Audio;Player;" "$desktop" || fail "the desktop file's categories"
mime=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
cp -r "$prefix/share/mime" "$tmp/mime"
update-mime-database "$tmp/mime"
grep -qx "50:$mime:\*.qdb" "$tmp/mime/globs2" || fail "no album file type $mime for *.qdb"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo launches another desktop file"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo's release is not $version"

out=$(env HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp" \
  QUILLON_QUIT_AFTER_FIRST_PAINT=1 QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prefix/bin/quillon")
[ "$out" = "first paint" ] || fail "the installed program did not start: $out"
[ -f "$tmp/data/Velloran/Quillon/qvb.ini" ] || fail "no settings in the user's data folder"
[ "$(ls "$prefix/bin")" = quillon ] || fail "files written beside the installed executable: $(ls "$prefix/bin")"
echo "installed files valid; settings kept in the user's data folder"
