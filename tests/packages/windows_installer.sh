#!/bin/bash
# The Windows installer as a user meets it, under Wine in a private copy of the prefix
# (it writes to the system folder), in both its kinds. By default (/S) it installs for the
# user alone: exactly the zip's kelvora.scr, kelvora.ini and media in the user's programs
# folder, its uninstaller there and registered in the user's own registry, nothing in
# system32. For everyone (/S /ALLUSERS) the same files go into system32, the uninstaller
# into Program Files, registered for the machine. Either way Kelvora becomes the user's
# screen saver; the installed saver runs and ends on a key; installing again keeps the
# user's settings; the silent uninstall removes every file and its registration and
# clears the screen saver setting only while it names our saver.
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
  show_file event "$WORK/events.${KIND:-}"
}

SYSTEM32=$WINEPREFIX/drive_c/windows/system32
DESKTOP_KEY='HKCU\Control Panel\Desktop'
UNINSTALL_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvora'

# registry_value KEY NAME: the value's data, or nothing (status 1) when it is not there.
registry_value() {
  "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" 'tolower($1) == tolower(name) { sub(/^[\t ]*[^\t ]+[\t ]+REG_[A-Z_]+[\t ]+/, ""); print; found = 1 }
                      END { exit !found }'
}

screen_saver_setting() { registry_value "$DESKTOP_KEY" SCRNSAVE.EXE; }

# This machine's path of a Windows path under Wine, long or short form.
unix_path() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

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

USER_LOCAL=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local | grep -v /Public/)
[ "$(echo "$USER_LOCAL" | wc -l)" -eq 1 ] || fail "no single user's AppData\\Local in the prefix: $USER_LOCAL"
USER_NAME=$(basename "$(dirname "$(dirname "$USER_LOCAL")")")
USER_PROGRAMS=$USER_LOCAL/Programs/Kelvora

# use_kind per-user|machine-wide: where that kind of install puts the saver, its
# uninstaller and its registration, as this machine and as Windows name them.
use_kind() {
  KIND=$1
  if [ "$KIND" = per-user ]; then
    INSTALL_OPTIONS=(/S)
    SAVER_FOLDER=$USER_PROGRAMS
    SAVER_PATH="C:\\users\\$USER_NAME\\AppData\\Local\\Programs\\Kelvora\\kelvora.scr"
    UNINSTALL_FOLDER=$USER_PROGRAMS
    UNINSTALLER="C:\\users\\$USER_NAME\\AppData\\Local\\Programs\\Kelvora\\Uninstall.exe"
    REGISTRATION="HKCU\\$UNINSTALL_KEY"
    OTHER_REGISTRATION="HKLM\\$UNINSTALL_KEY"
    OTHER_SAVER_FOLDER=$SYSTEM32
  else
    INSTALL_OPTIONS=(/S /ALLUSERS)
    SAVER_FOLDER=$SYSTEM32
    SAVER_PATH='C:\windows\system32\kelvora.scr'
    UNINSTALL_FOLDER="$WINEPREFIX/drive_c/Program Files/Kelvora"
    UNINSTALLER='C:\Program Files\Kelvora\Uninstall.exe'
    REGISTRATION="HKLM\\$UNINSTALL_KEY"
    OTHER_REGISTRATION="HKCU\\$UNINSTALL_KEY"
    OTHER_SAVER_FOLDER=$USER_PROGRAMS
  fi
}

install_silently() {
  local code=0
  "$WINE" "$INSTALLER" "${INSTALL_OPTIONS[@]}" || code=$?
  [ "$code" -eq 0 ] || fail "the silent $KIND install ended with code $code"
}

# Every file of the zip is in the saver's folder with the same content, the media folder
# holds nothing else, and the other kind's folder holds none of them.
installed_as_the_zip() {
  local file
  while read -r file; do
    [ "$file" = kelvora.ini ] && continue
    cmp -s "$ZIP_FOLDER/$file" "$SAVER_FOLDER/$file" || fail "$KIND: $file is missing or differs from the zip's"
  done <"$WORK/zip_files"
  [ -f "$SAVER_FOLDER/kelvora.ini" ] || fail "$KIND: kelvora.ini is missing"
  [ "$(ls "$SAVER_FOLDER/durnwick/kelvora" | wc -l)" -eq "$(grep -c '^durnwick/kelvora/' "$WORK/zip_files")" ] ||
    fail "$KIND: durnwick/kelvora holds other files than the zip's media"
  [ ! -e "$OTHER_SAVER_FOLDER/kelvora.scr" ] || fail "$KIND: a kelvora.scr in $OTHER_SAVER_FOLDER as well"
  ! registry_value "$OTHER_REGISTRATION" UninstallString >/dev/null ||
    fail "$KIND: registered in $OTHER_REGISTRATION as well"
}

# The screen saver setting names the installed saver, in its long or short form.
saver_setting_names_ours() {
  local setting
  setting=$(screen_saver_setting) || fail "$KIND: the install did not set the screen saver"
  [ "$(unix_path "$setting")" -ef "$SAVER_FOLDER/kelvora.scr" ] ||
    fail "$KIND: the screen saver setting names $setting"
}

# uninstall_silently: runs the uninstaller as Windows' list of programs would. It copies
# itself to a temporary folder and returns at once; the removal of its own folder is its
# last step.
uninstall_silently() {
  [ -f "$UNINSTALL_FOLDER/Uninstall.exe" ] || fail "$KIND: no uninstaller in $UNINSTALL_FOLDER"
  "$WINE" "$UNINSTALLER" /S
  wait_until 60 test ! -e "$UNINSTALL_FOLDER" || fail "$KIND: the uninstaller did not finish within 60 s"
  local left
  left=$(cd "$SAVER_FOLDER" 2>/dev/null && ls -d kelvora.scr kelvora.ini durnwick 2>/dev/null || true)
  [ -z "$left" ] || fail "$KIND: the uninstaller left $left"
  ! registry_value "$REGISTRATION" UninstallString >/dev/null || fail "$KIND: the uninstall registration is still there"
}

run_installed_saver() {
  KELVORA_EVENT_FILE=$(windows_path "$WORK/events.$KIND")
  export KELVORA_EVENT_FILE
  "$WINE" "$DRIVER" --timeout 120 "$SAVER_PATH" /S >"$WORK/driver.out" 2>/dev/null &
  local driver=$!
  wait_until 90 grep -q '^first-frame ' "$WORK/events.$KIND" || fail "$KIND: the installed saver drew no frame"
  import -window root "$ARTIFACTS/installed_saver_$KIND.png" 2>/dev/null || true
  "$WINE" "$TAP_KEY" || fail "$KIND: no saver window to tap a key on"
  wait_until 20 grep -q '^exit ' "$WORK/driver.out" || fail "$KIND: the installed saver did not end on a key"
  grep -qx 'exit 0' "$WORK/driver.out" || fail "$KIND: the installed saver ended with $(grep '^exit ' "$WORK/driver.out")"
  wait "$driver" || true
}

for kind in per-user machine-wide; do
  use_kind "$kind"
  echo "$KIND: installing..."
  install_silently
  installed_as_the_zip
  saver_setting_names_ours
  uninstaller=$(registry_value "$REGISTRATION" UninstallString) || fail "$KIND: the install registered no uninstaller"
  [ "$uninstaller" = "\"$UNINSTALLER\"" ] || fail "$KIND: the uninstaller is registered as $uninstaller"

  echo "$KIND: running the installed saver..."
  run_installed_saver

  echo "$KIND: installing again over the user's settings..."
  sed -i 's/^candleheight=.*/candleheight=3/I' "$SAVER_FOLDER/kelvora.ini"
  cp "$SAVER_FOLDER/kelvora.ini" "$WORK/users.ini"
  install_silently
  cmp -s "$WORK/users.ini" "$SAVER_FOLDER/kelvora.ini" || fail "$KIND: installing again replaced the user's kelvora.ini"

  echo "$KIND: uninstalling..."
  uninstall_silently
  ! screen_saver_setting >/dev/null || fail "$KIND: the uninstall left the screen saver setting naming kelvora.scr"

  echo "$KIND: uninstalling while another screen saver is chosen..."
  install_silently
  other='C:\windows\system32\other.scr'
  "$WINE" reg add "$DESKTOP_KEY" /v SCRNSAVE.EXE /d "$other" /f >/dev/null
  uninstall_silently
  [ "$(screen_saver_setting)" = "$other" ] || fail "$KIND: the uninstall changed the setting that named another screen saver"
  "$WINE" reg delete "$DESKTOP_KEY" /v SCRNSAVE.EXE /f >/dev/null
done
echo "ok"
