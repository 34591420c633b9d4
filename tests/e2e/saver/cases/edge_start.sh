# A pointer resting on the screen's left or top edge when the saver starts is where the
# saver first sees it. A stored position of 0 keeps the next change from counting, so of
# four moves between the edge and 200 pixels in, only two count and the saver runs on;
# the sixth move is the third counted one and ends it. Each move waits until the saver
# has seen the one before.
source "$(dirname "$0")/../lib.sh" "$1"
# The cases share one display: leave the pointer in the middle, where a fresh display has
# it, not on an edge where it would keep the next case's first move from counting.
trap 'xdotool mousemove 512 384 2>/dev/null || true; cleanup' EXIT

last_count() { sed -n 's/^mouse-move-counted //p' "$EVENTS" | tail -n1; }

# edge_run NAME REST_X REST_Y INSIDE_X INSIDE_Y FIRST_SEEN_PATTERN
edge_run() {
  local name=$1 rest="$2 $3" inside="$4 $5" first_seen=$6
  EVENTS=$WORK/events-$name
  # Each run has its driver report of its own, and starts after the previous driver ended.
  DRIVER_OUT=$WORK/driver-$name.out
  copy_product
  xdotool mousemove $rest
  local at
  at=$(xdotool getmouselocation --shell | awk -F= '/^[XY]=/ { printf "%s ", $2 }')
  [ "$at" = "$rest " ] || fail "$name edge: the display did not keep the pointer at $rest (it is at $at)"
  start_saver /S
  wait_for_scene 10
  expect_event 'mouse-seen [0-9]+ [0-9]+' 10 0 "$name edge: the saver never saw the pointer"
  local first
  first=$(grep -m1 '^mouse-seen ' "$EVENTS")
  [[ $first =~ $first_seen ]] || fail "$name edge: the saver first saw the pointer elsewhere: $first"
  local move target mark
  for move in 1 2 3 4 5 6; do
    if [ $((move % 2)) = 1 ]; then target=$inside; else target=$rest; fi
    mark=$(event_mark)
    xdotool mousemove $target
    [ $move = 6 ] && break
    expect_event 'mouse-seen [0-9]+ [0-9]+' 10 "$mark" "$name edge: the saver did not see move $move"
    if [ $move = 4 ]; then
      [ "$(last_count)" = 2 ] ||
        fail "$name edge: the count after four moves is $(last_count), not 2 ($(tr '\n' ';' <"$EVENTS"))"
    fi
  done
  expect_ending "$name edge: the sixth move did not end the saver"
}

# In display pixels (800 x 600 on the 1024 x 768 screen): x 0 on the left edge, y 0 on the top.
edge_run left 0 384 200 384 '^mouse-seen 0 [0-9]+$'
edge_run top 512 0 512 200 '^mouse-seen [0-9]+ 0$'
