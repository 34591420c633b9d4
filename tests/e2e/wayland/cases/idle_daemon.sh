# Started by the idle daemon as a user's configuration does: swayidle runs /S after its
# timeout, the saver covers both outputs, and while it runs it holds the compositor's idle
# inhibitor, so that the daemon's next step (due six seconds after the saver's start, time
# enough for a loaded machine to start it) does not come under it; a key ends it. Without
# -w, so that the daemon does not wait for the saver before it could take that step.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
idle_started=$(now)
env KELVORA_EVENT_FILE="$EVENTS" swayidle timeout 2 "exec '$WORK/kelvora' /S" \
  timeout 8 "touch '$WORK/next-step'" >"$WORK/swayidle.out" 2>&1 &
IDLE_PID=$!
trap 'kill "$IDLE_PID" 2>/dev/null || true; cleanup' EXIT
saver_running() { pgrep -f "^$WORK/kelvora /S" >/dev/null; }
wait_until 30 saver_running || fail "swayidle did not start the saver: $(cat "$WORK/swayidle.out")"
# The daemon's child, not this shell's.
SAVER_PID=$(pgrep -f "^$WORK/kelvora /S")
expect_event 'first-frame [0-9.]+' 30 0 "the saver presented no frame"
expect_outputs_covered
# The next step's time has passed with the saver up: no line says so, only the clock.
while [ "$(seconds_since "$idle_started" | cut -d. -f1)" -lt 10 ]; do sleep 0.2; done
[ ! -e "$WORK/next-step" ] || fail "the idle daemon went on to its next step under the saver"
type_key
expect_event 'ending 0' 10 0 "a key did not end the saver"
wait_until 10 saver_ended || fail "the saver's process did not end after it noted its ending"
