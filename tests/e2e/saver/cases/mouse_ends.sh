# Three clear mouse movements within 2 s end the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
moved=$(now)
# Each movement far more than 3 pixels, and each seen by the saver before the next, as a
# person's hand moves over several frames.
count=0
for position in "200 150" "500 350" "800 600"; do
  mark=$(event_mark)
  xdotool mousemove $position
  count=$((count + 1))
  expect_event "mouse-move-counted $count" 10 "$mark" "movement $count was not counted"
done
expect_ending "three clear movements did not end the saver"
echo "ended $(seconds_since "$moved") s after the first movement"
