# An output that goes while the saver runs takes its surface with it: the saver draws on
# the output left and a key still ends it with 0. Sway 1.7 cannot take a headless output
# away (it knows no "unplug", and "disable" fails to commit on wlroots 0.15's headless
# backend), so the saver runs in a sway nested on the Wayland backend, one of whose
# outputs goes when its window in the first sway is closed.
source "$(dirname "$0")/../lib.sh"
start_compositor
start_nested_compositor
copy_product
start_saver
expect_outputs_covered WL-1 WL-2
unplug_output WL-2
saver_ended && fail "the saver ended when WL-2 went"
wait_until 10 drawing WL-1 || fail "the saver stopped drawing on WL-1 when WL-2 went"
output_covered WL-1 || fail "WL-1 is no longer covered by the scene (see $ARTIFACTS/$CASE-WL-1.png)"
type_key
expect_ending "a key did not end the saver after WL-2 went"
