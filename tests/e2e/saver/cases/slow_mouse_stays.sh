# Mouse movements more than 3 s apart do not end the saver: the late one starts the count
# again.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
mark=$(event_mark)
xdotool mousemove 200 150
expect_event 'mouse-move-counted 1' 10 "$mark" "the first movement was not counted"
# The second movement comes late on purpose: the pause is the case itself.
sleep 3.5
mark=$(event_mark)
xdotool mousemove 600 450
expect_event 'mouse-move-counted 0' 10 "$mark" "the late movement did not start the count again"
mark=$(event_mark)
xdotool mousemove 300 500
expect_event 'mouse-move-counted 1' 10 "$mark" "three slow movements ended the saver"
saver_ended && fail "slow movements ended the saver"
end_with_key
