#!/bin/bash
# The Windows installer as a user meets it, under Wine in a private copy of the prefix
# (it writes to the system folder): a silent install puts exactly the zip's kelvora.scr,
# kelvora.ini and media into system32 and makes Kelvora the screen saver; the installed
# saver runs and ends on a key; installing again keeps the user's settings; the silent
# uninstall removes every file and its registration and clears the screen saver setting
# only while it names our saver.
# Usage: windows_installer.sh INSTALLER ZIP SAVER_DRIVER TAP_KEY ARTIFACTS
set -euo pipefail
INSTALLER=$1 ZIP=$2 DRIVER=$3 TAP_KEY=$4 ARTIFACTS=$5
source "$(dirname "$0")/../e2e/support/lib.sh"
: "${WINEPREFIX:?needs the Wine prefix that scripts/test prepares}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
WORK=$(mktemp -d)
mkdir -p "$ARTIFACTS"
SHARED_PREFIX=$WINEPREFIX
export WINEPREFIX=$WORK/prefix
end_case() { "$WINESERVER" -k 2>/dev/null || true; }
trap cleanup EXIT

describe_failure() {
  show_file driver "$WORK/driver.out"
  show_file event "$WORK/events"
}

SYSTEM32=$WINEPREFIX/drive_c/windows/system32
UNINSTALL_FOLDER="$WINEPREFIX/drive_c/Program Files/Kelvora"
SAVER_PATH='C:\windows\system32\kelvora.scr'
DESKTOP_KEY='HKCU\Control Panel\Desktop'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvora'


# registry_value KEY NAME: the value's data, or nothing (status 1) when it is not there.
registry_value() {
  "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" 'tolower($1) == tolower(name) { sub(/^[\t ]*[^\t ]+[\t ]+REG_[A-Z_]+[\t ]+/, ""); print; found = 1 }
                      END { exit !found }'
}

screen_saver_setting() { registry_value "$DESKTOP_KEY" SCRNSAVE.EXE; }

# The zip's files (README.txt aside) as paths below its one folder.
python3 -m zipfile -e "$ZIP" "$WORK/zip"
ZIP_FOLDER=$(echo "$WORK"/zip/*)
(cd "$ZIP_FOLDER" && find . -type f ! -name README.txt | sed 's|^\./||' | sort) >"$WORK/zip_files"
grep -qx kelvora.scr "$WORK/zip_files" || fail "the zip holds no kelvora.scr"
grep -qiF 'copy kelvora.scr, kelvora.ini and the folder durnwick' "$ZIP_FOLDER/README.txt" ||
  fail "the zip's README does not say how to install by hand"

echo "Copying the Wine prefix..."
cp -a "$SHARED_PREFIX" "$WINEPREFIX"
# One server for the private prefix, kept up between the commands below.
"$WINESERVER" -p

install_silently() {
  local code=0
  "$WINE" "$INSTALLER" /S || code=$?
  [ "$code" -eq 0 ] || fail "the silent install ended with code $code"
}

# Every file of the zip is in system32 with the same content, and the media folder holds
# nothing else.
installed_as_the_zip() {
  local file
  while read -r file; do
    [ "$file" = kelvora.ini ] && continue
    cmp -s "$ZIP_FOLDER/$file" "$SYSTEM32/$file" || fail "system32/$file is missing or differs from the zip's"
  done <"$WORK/zip_files"
  [ -f "$SYSTEM32/kelvora.ini" ] || fail "system32/kelvora.ini is missing"
  [ "$(ls "$SYSTEM32/durnwick/kelvora" | wc -l)" -eq "$(grep -c '^durnwick/kelvora/' "$WORK/zip_files")" ] ||
    fail "system32/durnwick/kelvora holds other files than the zip's media"
}

# uninstall_silently: runs the uninstaller as Windows' list of programs would. It copies
# itself to a temporary folder and returns at once; the removal of its own folder is its
# last step.
uninstall_silently() {
  [ -f "$UNINSTALL_FOLDER/Uninstall.exe" ] || fail "no uninstaller in Program Files\\Kelvora"
  "$WINE" 'C:\Program Files\Kelvora\Uninstall.exe' /S
  wait_until 60 test ! -e "$UNINSTALL_FOLDER" || fail "the uninstaller did not finish within 60 s"
  local left
  left=$(cd "$SYSTEM32" && ls -d kelvora.scr kelvora.ini durnwick 2>/dev/null || true)
  [ -z "$left" ] || fail "the uninstaller left in system32: $left"
  ! registry_value "$UNINSTALL_KEY" UninstallString >/dev/null || fail "the uninstall registration is still there"
}

echo "Installing..."
install_silently
installed_as_the_zip
setting=$(screen_saver_setting) || fail "the install did not set the screen saver"
[ "${setting,,}" = "${SAVER_PATH,,}" ] || fail "the screen saver setting names $setting"
uninstaller=$(registry_value "$UNINSTALL_KEY" UninstallString) || fail "the install registered no uninstaller"
[ "$uninstaller" = '"C:\Program Files\Kelvora\Uninstall.exe"' ] || fail "the uninstaller is registered as $uninstaller"

echo "Running the installed saver..."
KELVORA_EVENT_FILE=$(windows_path "$WORK/events")
export KELVORA_EVENT_FILE
"$WINE" "$DRIVER" --timeout 120 "$SAVER_PATH" /S >"$WORK/driver.out" 2>/dev/null &
driver=$!
wait_until 90 grep -q '^first-frame ' "$WORK/events" || fail "the installed saver drew no frame"
import -window root "$ARTIFACTS/installed_saver.png" 2>/dev/null || true
"$WINE" "$TAP_KEY" || fail "no saver window to tap a key on"
wait_until 20 grep -q '^exit ' "$WORK/driver.out" || fail "the installed saver did not end on a key"
grep -qx 'exit 0' "$WORK/driver.out" || fail "the installed saver ended with $(grep '^exit ' "$WORK/driver.out")"
wait "$driver" || true

echo "Installing again over the user's settings..."
sed -i 's/^candleheight=.*/candleheight=3/I' "$SYSTEM32/kelvora.ini"
cp "$SYSTEM32/kelvora.ini" "$WORK/users.ini"
install_silently
cmp -s "$WORK/users.ini" "$SYSTEM32/kelvora.ini" || fail "installing again replaced the user's kelvora.ini"

echo "Uninstalling..."
uninstall_silently
! screen_saver_setting >/dev/null || fail "the uninstall left the screen saver setting naming kelvora.scr"

echo "Uninstalling while another screen saver is chosen..."
install_silently
other='C:\windows\system32\other.scr'
"$WINE" reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$other" /f >/dev/null
uninstall_silently
[ "$(screen_saver_setting)" = "$other" ] || fail "the uninstall changed the setting that named another screen saver"
echo "ok"
