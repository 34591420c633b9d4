# Started by the idle daemon as a user's configuration does, without -w: swayidle runs /S
# after 2 s without input and its next step at 7 s; the saver holds back none of the
# daemon's steps, on the layer shell and on the SDL fallback alike, so that step comes on
# time while the saver still runs. The daemon sees
# the user come back: after a key held down and never let go, and after a quick tap, the
# saver ends and the daemon starts it again at the next idle period. A lock screen that
# comes up over the saver takes the keyboard from it, and the saver ends, leaving the lock
# in charge.
source "$(dirname "$0")/../lib.sh"
command -v swaylock >/dev/null || skip "swaylock is not installed"
start_compositor
copy_product
# A keyboard plugged in for the whole case, as a real seat has (wtype's own is there only
# while it types): the lock screen takes it from the saver.
wtype -s 170000 &
KEYBOARD_PID=$!
IDLE_PID=
trap 'kill $IDLE_PID "$KEYBOARD_PID" 2>/dev/null || true; cleanup' EXIT

# start_idle_daemon [VARIABLE=VALUE...]: swayidle as a user runs it, the saver started with
# those variables.
start_idle_daemon() {
  rm -f "$WORK/next-step"
  idle_started=$(now)
  env KELVORA_EVENT_FILE="$EVENTS" swayidle timeout 2 "exec env $* '$WORK/kelvora' /S" \
    timeout 7 "touch '$WORK/next-step'" >"$WORK/swayidle.out" 2>&1 &
  IDLE_PID=$!
}

# The daemon's child, not this shell's.
daemon_saver() { pgrep -f "^$WORK/kelvora /S" | head -n1; }
new_saver_running() { local pid; pid=$(daemon_saver) && [ -n "$pid" ] && [ "$pid" != "$SAVER_PID" ]; }
# expect_daemon_saver WHEN: the daemon has started a saver other than the last one, which
# has presented a frame since event line MARK.
expect_daemon_saver() {
  wait_until 30 new_saver_running || fail "swayidle did not start the saver $1: $(cat "$WORK/swayidle.out")"
  SAVER_PID=$(daemon_saver)
  expect_event 'first-frame [0-9.]+' 30 "$MARK" "the saver started $1 presented no frame"
}
# expect_saver_ended WHAT: the saver noted its ending since MARK and its process is gone.
expect_saver_ended() {
  expect_event 'ending 0' 10 "$MARK" "$1 did not end the saver"
  wait_until 10 saver_ended || fail "the saver's process did not end after $1"
}

# On the SDL fallback, then on the layer shell, which the rest of the case goes on with.
for road in sdl layer-shell; do
  MARK=$(event_mark)
  if [ $road = sdl ]; then start_idle_daemon KELVORA_NO_LAYER_SHELL=1; else start_idle_daemon; fi
  expect_daemon_saver "after the first idle period ($road)"
  expect_outputs_covered
  wait_until 15 test -e "$WORK/next-step" ||
    fail "the idle daemon's next step did not come while the saver ran ($road)"
  started=$(seconds_since "$idle_started")
  ! saver_ended && ! event_written 'ending [0-9]+' "$MARK" || fail "the saver did not run when the next step came ($road)"
  awk -v s="$started" 'BEGIN { exit !(s >= 7 && s < 11) }' || fail "the next step came after $started s, not at 7 s ($road)"
  [ $road = sdl ] || break
  kill "$IDLE_PID" "$SAVER_PID"
  expect_saver_ended SIGTERM
done

# A key pressed and never let go (wtype ends holding it), then a quick tap.
for input in held tap; do
  MARK=$(event_mark)
  case $input in
    held) wtype -s 800 -P space || fail "wtype could not press a key" ;;
    tap) type_key ;;
  esac
  expect_saver_ended "a $input key"
  MARK=$(event_mark)
  expect_daemon_saver "after a $input key"
done

# The lock, without the daemon, which would start the saver again over it 2 s after the
# key. sway 1.7 puts the lock beneath the saver's surfaces and leaves the saver the
# keyboard (a compositor with a session lock gives the lock the keyboard, and the saver
# then ends by itself): the user's key ends the saver, the lock shows on both outputs, and
# the next key reaches it.
kill "$IDLE_PID"
# Its configuration names the case's folder, by which the case's end finds it.
echo 'color=203040' >"$WORK/swaylock.conf"
swaylock -f -C "$WORK/swaylock.conf" >"$WORK/swaylock.out" 2>&1 || fail "swaylock did not lock: $(cat "$WORK/swaylock.out")"
MARK=$(event_mark)
type_key
expect_saver_ended "a key over the lock"
LOCK_COLOUR='abs(r - 0.125) < 0.02 && abs(g - 0.188) < 0.02 && abs(b - 0.251) < 0.02'
lock_shown() { [ "$(count_pixels "$(photograph "$1")" "$LOCK_COLOUR")" -ge $((128 * 96 * 9 / 10)) ]; }
for output in HEADLESS-1 HEADLESS-2; do
  wait_until 10 lock_shown "$output" || fail "the lock does not show on $output (see $ARTIFACTS/$CASE-$output.png)"
done
cp "$ARTIFACTS/$CASE-HEADLESS-1.png" "$WORK/before-key.png"
type_key
lock_took_key() {
  [ "$(compare -metric AE "$WORK/before-key.png" "$(photograph HEADLESS-1)" null: 2>&1 | cut -d' ' -f1)" != 0 ]
}
wait_until 10 lock_took_key || fail "the lock did not show the key typed into it"
