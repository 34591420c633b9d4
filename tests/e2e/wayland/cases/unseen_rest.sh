# While the compositor shows the saver's surfaces nowhere it asks for no frames, as it does
# for outputs that sleep: the saver rests, its processor time near zero; frames come back
# when the surfaces show again, and a key ends it at once while they are unseen. The
# saver runs in a sway nested on the Wayland backend, whose outputs are windows of the
# first sway that a workspace switch hides (headless outputs cannot be powered down).
source "$(dirname "$0")/../lib.sh"
start_compositor
start_nested_compositor
copy_product
start_saver
expect_outputs_covered WL-1 WL-2
drawing WL-1 || fail "the saver does not draw with its outputs shown"

show_nested_outputs no
wait_until 15 resting || fail "the saver kept drawing with its outputs shown nowhere"
show_nested_outputs yes
wait_until 10 drawing WL-1 || fail "frames did not come back when the outputs showed again"

show_nested_outputs no
wait_until 15 resting || fail "the saver kept drawing with its outputs shown nowhere the second time"
type_key
expect_ending "a key did not end the saver while its outputs were shown nowhere"
