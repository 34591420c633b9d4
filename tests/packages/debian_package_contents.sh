#!/bin/bash
# The Debian package that `cpack -G DEB` makes from the Linux build holds exactly the
# hack, the launcher and its manual page, XScreenSaver's settings file, the screen-saver
# entry for MATE and Xfce, the settings' menu entry and its icon in each size of the
# theme and as SVG (each PNG as large as its folder says), the copyright file and
# changelog (its latest entry the package's version and the manual page's date), the
# default settings and each media file, owned by root, the two programs executable; both
# desktop entries are valid, and lintian (pedantic) finds no error and no warning.
# Usage: debian_package_contents.sh CPACK_CONFIG MEDIA_FOLDER
set -euo pipefail
CPACK_CONFIG=$1 MEDIA_FOLDER=$2
WORK=$(mktemp -d)
source "$(dirname "$0")/../e2e/support/lib.sh"
trap cleanup EXIT

cpack --config "$CPACK_CONFIG" -G DEB -B "$WORK" >"$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; fail "cpack could not make the package"; }
packages=("$WORK"/kelvora_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "cpack made no kelvora_*.deb"
dpkg-deb -c "${packages[0]}" >"$WORK/listing"

# Each regular file as "MODE OWNER PATH", sorted.
awk '$1 ~ /^-/ { sub(/^\./, "", $6); print $1, $2, $6 }' "$WORK/listing" | sort >"$WORK/actual"
{
  echo "-rwxr-xr-x root/root /usr/libexec/xscreensaver/kelvora"
  echo "-rwxr-xr-x root/root /usr/bin/kelvora"
  echo "-rw-r--r-- root/root /usr/share/xscreensaver/config/kelvora.xml"
  echo "-rw-r--r-- root/root /usr/share/man/man6/kelvora.6.gz"
  echo "-rw-r--r-- root/root /usr/share/applications/screensavers/kelvora.desktop"
  echo "-rw-r--r-- root/root /usr/share/applications/kelvora.desktop"
  for size in 16 32 48 64 128 256; do
    echo "-rw-r--r-- root/root /usr/share/icons/hicolor/${size}x$size/apps/kelvora.png"
  done
  echo "-rw-r--r-- root/root /usr/share/icons/hicolor/scalable/apps/kelvora.svg"
  echo "-rw-r--r-- root/root /usr/share/doc/kelvora/copyright"
  echo "-rw-r--r-- root/root /usr/share/doc/kelvora/changelog.gz"
  echo "-rw-r--r-- root/root /usr/share/kelvora/kelvora.ini"
  for media in "$MEDIA_FOLDER"/*; do
    [ -f "$media" ] || continue
    name=$(basename "$media")
    [ "$name" = kelvora.ini ] && continue
    echo "-rw-r--r-- root/root /usr/share/kelvora/durnwick/kelvora/$name"
  done
} | sort >"$WORK/expected"
diff -u "$WORK/expected" "$WORK/actual" >&2 || fail "the package's files differ from the expected ones (above)"

dpkg-deb -x "${packages[0]}" "$WORK/root"
desktop-file-validate "$WORK/root/usr/share/applications/kelvora.desktop" \
  "$WORK/root/usr/share/applications/screensavers/kelvora.desktop" >&2 ||
  fail "a desktop entry is not valid (above)"

# Each icon is as large as the theme's folder it lies in, and the scalable one is SVG.
for size in 16 32 48 64 128 256; do
  [ "$(identify -format '%wx%h' "$WORK/root/usr/share/icons/hicolor/${size}x$size/apps/kelvora.png")" = "${size}x$size" ] ||
    fail "the ${size}x$size icon is not $size pixels square"
done
python3 -c 'import sys, xml.etree.ElementTree as tree
sys.exit(tree.parse(sys.argv[1]).getroot().tag != "{http://www.w3.org/2000/svg}svg")' \
  "$WORK/root/usr/share/icons/hicolor/scalable/apps/kelvora.svg" || fail "the scalable icon is no SVG picture"

# The changelog's latest entry is this package's version.
zcat "$WORK/root/usr/share/doc/kelvora/changelog.gz" >"$WORK/changelog"
[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" = "$(dpkg-deb -f "${packages[0]}" Version)" ] ||
  fail "the changelog's latest version is not the package's: add an entry to packaging/debian/changelog"

# The manual page is dated as the changelog's latest entry, whatever day it was built.
released=$(date -u -d "$(dpkg-parsechangelog -l "$WORK/changelog" -S Date)" +%F)
zcat "$WORK/root/usr/share/man/man6/kelvora.6.gz" | grep "^\.TH KELVORA 6 \"$released\" " >/dev/null ||
  fail "the manual page is not dated $released, the changelog's latest entry"

# Its exit code tells an error or warning, and a failure to run, from a clean package.
code=0
lintian --pedantic --fail-on error,warning --tag-display-limit 0 "${packages[0]}" >"$WORK/lintian" 2>&1 || code=$?
cat "$WORK/lintian"
[ $code -eq 0 ] || fail "lintian found errors or warnings, or could not run (above)"
echo "ok: $(wc -l <"$WORK/actual") files"
