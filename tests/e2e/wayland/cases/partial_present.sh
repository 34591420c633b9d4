# On a single output the layer shell shows frames a changed part at a time: the engine's
# partial-redraw check, run on the Wayland path, draws its frames in part (the back buffer
# keeps its picture between frames) and each shows what the same frame drawn whole shows;
# the saver there covers the output and keeps drawing, and the frames its frame-rate file
# counts are the pictures it commits to its surface (told by the protocol's own log).
OUTPUTS=1
source "$(dirname "$0")/../lib.sh"
check=${KELVORA_LINUX_BUILD:?}/tests/engine/render/engine_partial_redraw
[ -x "$check" ] || fail "no partial-redraw check at $check"
start_compositor
"$check" --gtest_filter=-*/*At*x* >"$WORK/check.out" 2>&1 || fail "the partial-redraw check failed on Wayland: $(tail -n 20 "$WORK/check.out")"
copy_product
start_saver WAYLAND_DEBUG=client KELVORA_FRAME_RATE_FILE="$WORK/fps"
expect_outputs_covered HEADLESS-1
wait_until 10 drawing HEADLESS-1 || fail "the saver does not keep drawing on the single output"
samples_at_least() { [ "$(wc -l <"$WORK/fps")" -ge "$1" ]; }
wait_until 10 samples_at_least $(($(wc -l <"$WORK/fps") + 3)) || fail "the saver wrote no frame counts"
# Commits a second over the log's last three seconds (its stamps are milliseconds) beside
# the frame-rate file's last three samples.
committed=$(grep 'wl_surface@[0-9]*\.commit()' "$WORK/saver.out" | tr -d '[]' |
  awk '{ stamp[NR] = $1 } END { n = 0; for (i = NR; i > 0 && stamp[NR] - stamp[i] < 3000; i--) n++; print n / 3 }')
counted=$(tail -n 3 "$WORK/fps" | awk '{ sum += $1 } END { print sum / NR }')
echo "frames a second: $counted counted, $committed committed"
awk -v a="$counted" -v b="$committed" 'BEGIN { exit !(b > 0 && a / b > 0.85 && a / b < 1.15) }' ||
  fail "the frame-rate file counts $counted frames a second where the saver commits $committed"
type_key
expect_ending "a key did not end the saver"
