# Two mouse movements more than 3 s apart do not end the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
xdotool mousemove 200 150
# The second movement comes late on purpose: the pause is the case itself.
sleep 3.5
xdotool mousemove 600 450
if wait_until 2 saver_ended; then fail "two movements 3.5 s apart ended the saver"; fi
end_with_key
