# An output that comes while the saver runs gets its own surface with the scene; a key
# then still ends the saver with 0.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
start_saver
expect_outputs_covered
swaymsg create_output >/dev/null || fail "sway could not make a third output"
swaymsg 'output HEADLESS-3 resolution 1280x720 position 2560 0' >/dev/null
wait_until 20 output_covered HEADLESS-3 || fail "the new output is not covered by the scene (see $ARTIFACTS/$CASE-HEADLESS-3.png)"
type_key
expect_ending "a key did not end the saver"
