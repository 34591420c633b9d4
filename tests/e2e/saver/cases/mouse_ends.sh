# Three clear mouse movements within 2 s end the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
moved=$(now)
# A user's pace: a few frames between the movements, each far more than 3 pixels.
for position in "200 150" "500 350" "800 600"; do
  xdotool mousemove $position
  sleep 0.3
done
wait_until 2 saver_ended || fail "three clear movements did not end the saver"
echo "ended $(seconds_since "$moved") s after the first movement"
[ "$(saver_exit_code)" = 0 ] || fail "the saver did not end with exit code 0"
check_taskbar_restored
