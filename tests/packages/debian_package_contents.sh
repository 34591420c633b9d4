#!/bin/bash
# The Debian package that `cpack -G DEB` makes from the Linux build holds exactly the
# hack, the launcher, XScreenSaver's settings file, the default settings and each media
# file, owned by root, the two programs executable.
# Usage: debian_package_contents.sh CPACK_CONFIG MEDIA_FOLDER
set -euo pipefail
CPACK_CONFIG=$1 MEDIA_FOLDER=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

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
  echo "-rw-r--r-- root/root /usr/share/kelvora/kelvora.ini"
  for media in "$MEDIA_FOLDER"/*; do
    name=$(basename "$media")
    [ "$name" = kelvora.ini ] && continue
    echo "-rw-r--r-- root/root /usr/share/kelvora/durnwick/kelvora/$name"
  done
} | sort >"$WORK/expected"
diff -u "$WORK/expected" "$WORK/actual" >&2 || fail "the package's files differ from the expected ones (above)"
echo "ok: $(wc -l <"$WORK/actual") files"
