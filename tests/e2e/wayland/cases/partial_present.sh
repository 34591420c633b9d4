# On a single output the layer shell shows frames a changed part at a time: the engine's
# partial-redraw check, run on the Wayland path, draws its frames in part (the back buffer
# keeps its picture between frames) and each shows what the same frame drawn whole shows;
# the saver there covers the output and keeps drawing.
OUTPUTS=1
source "$(dirname "$0")/../lib.sh"
check=${KELVORA_LINUX_BUILD:?}/tests/engine/render/engine_partial_redraw
[ -x "$check" ] || fail "no partial-redraw check at $check"
start_compositor
"$check" >"$WORK/check.out" 2>&1 || fail "the partial-redraw check failed on Wayland: $(tail -n 20 "$WORK/check.out")"
copy_product
start_saver
expect_outputs_covered HEADLESS-1
wait_until 10 drawing HEADLESS-1 || fail "the saver does not keep drawing on the single output"
type_key
expect_ending "a key did not end the saver"
