#!/bin/bash
# mate-screensaver after the package's install, as a normal user: it finds Kelvora
# through the package's entry in /usr/share/applications/screensavers, runs it in its
# own window on --activate (in the reduced environment it gives its savers), where the
# pumpkin shows, and ends it on --deactivate.
# Usage: mate_screensaver.sh CPACK_CONFIG
source "$(dirname "$0")/lib.sh" "$1"

# The session bus that mate-screensaver and its settings (dconf) need, in the home folder
# (the user may not write /tmp here).
as_user dbus-daemon --session --address="unix:path=$HOME_FOLDER/bus" --fork --print-address=1 \
  --print-pid=1 >"$WORK/bus" ||
  fail "no session bus"
DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$WORK/bus")
USER_PIDS+=("$(sed -n 2p "$WORK/bus")")

# Kelvora alone, and no lock: the theme's id is its entry's, under "screensavers-".
as_user gsettings set org.mate.screensaver mode single
as_user gsettings set org.mate.screensaver themes "['screensavers-kelvora']"
as_user gsettings set org.mate.screensaver lock-enabled false

start_as_user daemon mate-screensaver --no-daemon
daemon=${USER_PIDS[-1]}
wait_until 20 as_user mate-screensaver-command --query >/dev/null 2>&1 || fail "mate-screensaver did not start"

# mate-screensaver passes its savers no KELVORA_EVENT_FILE, so the saver is its child
# process and its picture on the screen.
saver_pid() { ps -o pid=,comm= --ppid "$daemon" | awk '$2 == "kelvora" { print $1 }'; }
saver_started() { [ -n "$(saver_pid)" ]; }
as_user mate-screensaver-command --activate >/dev/null || fail "mate-screensaver refused --activate"
wait_until 30 saver_started || fail "mate-screensaver ran no kelvora on --activate"
saver=$(saver_pid)
expect_pumpkin "no pumpkin on the screen while mate-screensaver ran kelvora"
as_user mate-screensaver-command --deactivate >/dev/null || fail "mate-screensaver refused --deactivate"
wait_until 10 bash -c "! kill -0 $saver 2>/dev/null" || fail "kelvora still runs after mate-screensaver deactivated"
grep -q '^kelvora:' "$WORK/daemon.log" && fail "kelvora reported a failure"
echo "ok"
