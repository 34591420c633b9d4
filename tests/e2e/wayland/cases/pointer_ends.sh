# The mouse rule counts moves from the pointer's first real position, where it enters the
# saver's surface, never from 0,0: that position is seen first, then three moves end it.
source "$(dirname "$0")/../lib.sh"
start_compositor
plug_pointer
# Into the second output, away from the edges.
move_pointer 1700 300
copy_product
start_saver
expect_event 'first-frame [0-9.]+' 30 0 "the saver presented no frame"
mark=$(event_mark)
# The compositor tells a surface of the pointer over it only once the pointer moves.
move_pointer 1 1
expect_event 'mouse-seen [1-9][0-9]* [1-9][0-9]*' 10 "$mark" "the saver did not see the pointer's real position"
# The loop notes the position after the exit detector has looked at it.
event_written 'mouse-move-counted [0-9]+' "$mark" && fail "the pointer's first position counted as a move"
for step in 1 2; do
  mark=$(event_mark)
  move_pointer 40 30
  expect_event "mouse-move-counted $step" 10 "$mark" "move $step was not counted"
done
move_pointer 40 30
expect_ending "three pointer moves did not end the saver"
