#!/bin/bash
# XScreenSaver after the package's install, as a normal user: `kelvora
# --add-to-xscreensaver` lists the hack once (from the system's list when the user has no
# ~/.xscreensaver; at the end of the user's own list, every other line kept, when there
# is one); then xscreensaver-settings shows it and runs it in its preview, and the daemon
# runs it full screen on -activate and ends it on -deactivate.
# Usage: xscreensaver.sh CPACK_CONFIG
source "$(dirname "$0")/lib.sh" "$1"
RESOURCES=$HOME_FOLDER/.xscreensaver

# add_to_xscreensaver SAID: the command succeeds and says SAID.
add_to_xscreensaver() {
  as_user kelvora --add-to-xscreensaver >"$WORK/add.out" 2>&1 || fail "the command failed: $(cat "$WORK/add.out")"
  grep -q "$1" "$WORK/add.out" || fail "the command said: $(cat "$WORK/add.out")"
}

listed_kelvora() { grep -c 'kelvora --root' "$RESOURCES" || true; }

# No ~/.xscreensaver: the system's whole list with ours at its end, once however often
# the command runs.
add_to_xscreensaver "^Added \"GL: kelvora --root\" to the XScreenSaver list in $RESOURCES"
system_hacks=$(awk '/^\*programs:/ { on = 1 } on && /--root/ { n++ } on && !/\\$/ { exit } END { print n }' \
  /etc/X11/app-defaults/XScreenSaver)
[ "$(grep -c -- '--root' "$RESOURCES")" -eq $((system_hacks + 1)) ] || fail "the system's $system_hacks hacks were not all kept"
cp "$RESOURCES" "$WORK/first"
add_to_xscreensaver "^Kelvora is already in the XScreenSaver list"
cmp -s "$RESOURCES" "$WORK/first" || fail "a second run changed ~/.xscreensaver"

# The user's own list and settings: ours goes last, so "selected: 1" names it.
printf '%s\n' '# XScreenSaver Preferences File' 'mode:		one' 'selected:	1' 'timeout:	0:30:00' \
  'programs:	\' '-		maze --root	\n\' '' 'pointerHysteresis: 10' >"$RESOURCES"
chown "$TEST_USER:" "$RESOURCES"
cp "$RESOURCES" "$WORK/own"
add_to_xscreensaver "^Added"
[ "$(listed_kelvora)" -eq 1 ] || fail "kelvora is listed $(listed_kelvora) times"
diff <(grep -v kelvora "$RESOURCES" | sed 's/\\$//; s/[[:space:]]*$//') <(sed 's/\\$//; s/[[:space:]]*$//' "$WORK/own") >&2 ||
  fail "lines other than ours changed (above)"
awk '/^programs:/ { on = 1 } on && NF { last = $0 } on && !/\\$/ { exit } END { exit !(last ~ /GL:.*kelvora --root/) }' \
  "$RESOURCES" || fail "kelvora is not the list's last entry"

# The daemon, and the settings' preview of the selected hack.
start_as_user daemon xscreensaver -no-splash
wait_until 20 as_user xscreensaver-command -version >/dev/null || fail "the daemon did not start"
start_as_user settings xscreensaver-settings
wait_until 60 events_beyond 'first-frame [0-9.]+' 0 || fail "xscreensaver-settings ran no kelvora in its preview"
previews=$(event_count 'first-frame [0-9.]+')
grep -q 'kelvora' "$WORK/settings.log" && fail "xscreensaver-settings found fault with kelvora"
screenshot "$ARTIFACTS/$CASE-settings.png"
end_with_descendants "${USER_PIDS[1]}"

as_user xscreensaver-command -activate >/dev/null || fail "the daemon refused -activate"
wait_until 60 events_beyond 'first-frame [0-9.]+' "$previews" || fail "the daemon ran no kelvora on -activate"
expect_pumpkin "no pumpkin on the screen while the daemon ran kelvora"
endings=$(event_count 'ending 0')
as_user xscreensaver-command -deactivate >/dev/null || fail "the daemon refused -deactivate"
wait_until 10 events_beyond 'ending 0' "$endings" || fail "kelvora did not end when the daemon deactivated"
echo "ok"
