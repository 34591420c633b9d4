# With the outputs powered down the saver rests: its processor time drops to near zero,
# and frames come back when the outputs do; a key ends it at once while they are off.
# wlroots 0.15 cannot power down a headless (or nested) output: sway 1.7 there answers
# "dpms off" with success yet leaves the outputs on, and the case is skipped.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
start_saver
expect_outputs_covered
drawing HEADLESS-1 || fail "the saver does not draw with the outputs on"
power_off() {
  swaymsg 'output * dpms off' >/dev/null
  [ "$(swaymsg -t get_outputs | grep -c '"dpms": false')" = 2 ] || skip "this compositor cannot power its outputs down"
}
power_off
# The outputs' power is looked at every 2 s while they are on.
wait_until 15 resting || fail "the saver kept drawing with the outputs off"
swaymsg 'output * dpms on' >/dev/null
wait_until 10 drawing HEADLESS-1 || fail "frames did not come back with the outputs"
expect_outputs_covered

power_off
wait_until 15 resting || fail "the saver kept drawing with the outputs off the second time"
type_key
expect_ending "a key did not end the saver while the outputs were off"
