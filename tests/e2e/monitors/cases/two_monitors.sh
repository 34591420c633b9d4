# Two monitors side by side (1024 x 768 each, joined by Xinerama): the saver covers both
# with the scene, leaves no pixel of the desktop bare, and a key pressed with the pointer
# on the second monitor ends it as quickly as on one monitor: the case prints the time from
# the key to the saver's ending line and to its process's end.
source "$(dirname "$0")/../lib.sh" "$1"
start_nested_x +xinerama -screen 1024x768 -origin 1024,0 -screen 1024x768
copy_product
reset_keyboard_focus
start_saver

both_covered() {
  screenshot "$WORK/poll.png" || return 1
  scene_in "$WORK/poll.png" 1024x768+0+0 && scene_in "$WORK/poll.png" 1024x768+1024+0 &&
    [ "$(bare_desktop_pixels "$WORK/poll.png")" -eq 0 ]
}
wait_until 30 both_covered || {
  cp "$WORK/poll.png" "$ARTIFACTS/$CASE-not-covered.png" 2>/dev/null || true
  fail "the scene did not cover both monitors within 30 s (last picture: $ARTIFACTS/$CASE-not-covered.png)"
}
cp "$WORK/poll.png" "$ARTIFACTS/$CASE-covered.png"

xdotool mousemove 1536 384
key_time=$(now)
press_key
wait_until "$(key_exit_limit)" grep -qx 'ending 0' "$EVENTS" || fail "a key on the second monitor did not end the saver"
to_ending=$(seconds_since "$key_time")
wait_until "$(key_exit_limit)" saver_ended || fail "the saver's process did not end after its ending line"
echo "from the key: $to_ending s to the ending line, $(seconds_since "$key_time") s to the process's end"
