# A pointer resting on the screen's left or top edge when the saver starts is where the
# saver first sees it. A stored position of 0 keeps the next change from counting, so of
# four moves between the edge and 200 pixels in, only two count and the saver runs on;
# the sixth move is the third counted one and ends it. Each move waits until the saver
# has seen the one before (its event file notes every new position it polls).
source "$(dirname "$0")/../lib.sh" "$1"
# The cases share one display: leave the pointer in the middle, where a fresh display has
# it, not on an edge where it would keep the next case's first move from counting.
trap 'xdotool mousemove 512 384 2>/dev/null || true; cleanup' EXIT

moves_seen() { grep -c '^mouse-move ' "$EVENTS" 2>/dev/null || true; }
moves_counted() { grep -c '^mouse-move .* counted=yes$' "$EVENTS" 2>/dev/null || true; }
seen_at_least() { [ "$(moves_seen)" -ge "$1" ]; }

# edge_run NAME REST_X REST_Y INSIDE_X INSIDE_Y
edge_run() {
  local name=$1 rest="$2 $3" inside="$4 $5"
  EVENTS=$WORK/events-$name
  # Each run has its driver report of its own, and starts after the previous driver ended.
  DRIVER_OUT=$WORK/driver-$name.out
  if [ "$KIND" = linux ]; then
    export KELVORA_EVENT_FILE=$EVENTS
  else
    export KELVORA_EVENT_FILE=$(windows_path "$EVENTS")
  fi
  copy_product
  xdotool mousemove $rest
  local at
  at=$(xdotool getmouselocation --shell | awk -F= '/^[XY]=/ { printf "%s ", $2 }')
  [ "$at" = "$rest " ] || fail "$name edge: the display did not keep the pointer at $rest (it is at $at)"
  start_saver /S
  wait_for_scene 10
  wait_until 5 seen_at_least 1 || fail "$name edge: the saver never polled the pointer"
  local first
  first=$(grep -m1 '^mouse-move ' "$EVENTS")
  case $name in
  left) [[ $first == "mouse-move x=0 "* ]] || fail "left edge: the saver first saw the pointer elsewhere: $first" ;;
  top) [[ $first == *" y=0 counted=no" ]] || fail "top edge: the saver first saw the pointer elsewhere: $first" ;;
  esac
  local move target
  for move in 1 2 3 4 5 6; do
    if [ $((move % 2)) = 1 ]; then target=$inside; else target=$rest; fi
    xdotool mousemove $target
    if [ $move = 6 ]; then break; fi
    wait_until 5 seen_at_least $((move + 1)) || fail "$name edge: the saver did not see move $move"
    if [ $move = 4 ]; then
      [ "$(moves_counted)" = 2 ] ||
        fail "$name edge: $(moves_counted) of four moves counted, not 2 ($(tr '\n' ';' <"$EVENTS"))"
      ! saver_ended || fail "$name edge: the saver ended within four moves"
    fi
  done
  wait_until "$(key_exit_limit)" saver_ended || fail "$name edge: the sixth move did not end the saver ($(tr "\n" ";" <"$EVENTS"))"
  # Asked in this shell, not in a $(...) one: only the shell that started the saver can
  # collect the exit code of a saver that has ended but not yet been waited for.
  saver_exit_code >"$WORK/exit-code"
  [ "$(<"$WORK/exit-code")" = 0 ] || fail "$name edge: the saver ended with exit code $(<"$WORK/exit-code"), not 0"
  check_taskbar_restored
  wait "$SAVER_PID" 2>/dev/null || true
  echo "$name edge: $(tr '\n' ';' <"$EVENTS")"
}

edge_run left 0 384 200 384
edge_run top 512 0 512 200
