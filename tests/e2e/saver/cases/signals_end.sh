# Kinds: linux
# SIGTERM, SIGINT and SIGHUP end the saver as a close from outside does: its "ending 0"
# line and exit code 0. Without a session bus, no bus daemon started for the saver outlives it.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
# A script's background jobs ignore SIGINT unless job control is on.
set -m
unset DBUS_SESSION_BUS_ADDRESS

# The bus programs started from this case's saver: they carry its private runtime folder.
buses_of_this_case() {
  local pid
  for pid in $(pgrep -f 'dbus-(daemon|launch)' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "XDG_RUNTIME_DIR=$WORK/run" && echo "$pid"
  done
  return 0
}

for signal in TERM INT HUP; do
  EVENTS=$WORK/events-$signal
  start_saver /S
  expect_event 'first-frame [0-9.]+' 10 0 "the saver presented no frame"
  kill -"$signal" "$SAVER_PID"
  expect_ending "SIG$signal did not end the saver"
done
left=$(buses_of_this_case)
if [ -n "$left" ]; then
  ps -o pid=,args= -p $left >&2
  kill $left
  fail "the saver left a session bus running"
fi
