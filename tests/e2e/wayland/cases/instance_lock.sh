# One saver per user and session, and a lock nobody else can take: with the user's runtime
# folder, and without one (the compositor named by its socket's path), a saver starts
# although another user's process holds its abstract name first; with the folder, a second
# /S of the same user on the same compositor still ends at once without drawing (without
# it, and the name squatted, nothing is left to tell); and the user's savers on two
# compositors (the second nested in the first) both run.
source "$(dirname "$0")/../lib.sh"
command -v setpriv >/dev/null || skip "setpriv is not installed"
start_compositor
copy_product
STRANGER_PID=
trap 'kill $STRANGER_PID 2>/dev/null || true; cleanup' EXIT

# hold_name_as_stranger NAME: a process of another user id listens on the abstract name.
hold_name_as_stranger() {
  setpriv --reuid 4242 --regid 4242 --clear-groups /usr/bin/python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
s.bind("\0" + sys.argv[1]); s.listen(4); print("held", flush=True); time.sleep(600)' "$1" >"$WORK/stranger.out" 2>&1 &
  STRANGER_PID=$!
  wait_until 10 grep -qx held "$WORK/stranger.out" || fail "the stranger could not hold $1: $(cat "$WORK/stranger.out")"
}

# second_refused: a second /S of this user on the same compositor ends with 0 at once and
# draws nothing.
second_refused() {
  local events=$WORK/second-events
  env "${SESSION[@]}" KELVORA_EVENT_FILE="$events" timeout 20 "$WORK/kelvora" /S || fail "the second saver did not end with exit code 0"
  ! grep -q '^first-frame' "$events" 2>/dev/null || fail "the second saver drew"
  ! saver_ended || fail "the second saver ended the first"
}

# The saver's session: the runtime folder, or none and the compositor's socket by its path.
for folder in private none; do
  EVENTS=$WORK/events-$folder
  SESSION=(XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" WAYLAND_DISPLAY="$WAYLAND_DISPLAY")
  [ $folder = private ] || SESSION=(XDG_RUNTIME_DIR= WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY")
  display=${SESSION[1]#WAYLAND_DISPLAY=}
  hold_name_as_stranger "kelvora-$(id -u)-wayland-display-${display//\//_}"
  start_saver "${SESSION[@]}"
  expect_outputs_covered
  [ $folder = none ] || second_refused
  kill "$SAVER_PID"
  expect_ending "SIGTERM did not end the saver"
  kill "$STRANGER_PID"
done

EVENTS=$WORK/events-outer
start_saver
expect_event 'first-frame [0-9.]+' 30 0 "the saver of the first compositor presented no frame"
OUTER_SAVER_PID=$SAVER_PID
start_nested_compositor
EVENTS=$WORK/events-nested
start_saver
expect_event 'first-frame [0-9.]+' 30 0 "the saver of the nested compositor presented no frame"
SAVER_PID=$OUTER_SAVER_PID
! saver_ended || fail "the first compositor's saver ended when the second's started"
