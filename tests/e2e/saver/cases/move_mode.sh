# In move mode dragging with the first button turns the pumpkin, and no mouse movement
# ever ends the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
set_setting pumpkin movePumpkin 1
start_saver /S
wait_for_scene 10

# How much the pumpkin's shape changes by itself, to tell a turn from it: its outline
# against the black, below the smoke. The glow inside flickers, and its spill lightens the
# shaded skin round the openings and the rim, so the outline is where anything at all is
# lit; the black around is never lit.
shape() { convert "$1" -gravity south -crop 100%x60%+0+0 +repage -colorspace gray -threshold 4% "$2"; }
difference() {
  shape "$1" "$WORK/shape-a.png"
  shape "$2" "$WORK/shape-b.png"
  compare -metric AE "$WORK/shape-a.png" "$WORK/shape-b.png" null: 2>&1 || true
}
screenshot "$WORK/still-1.png"
screenshot "$WORK/still-2.png"
by_itself=$(difference "$WORK/still-1.png" "$WORK/still-2.png")

move_mouse 512 600
xdotool mousedown 1
for position in "600 650" "700 700" "520 700"; do
  # The drag dwells at each place, turning the pumpkin while the button is held: the
  # pause is the user's input, not a wait for the saver.
  sleep 0.3
  move_mouse $position
done
xdotool mouseup 1
screenshot "$WORK/turned.png"
cp "$WORK/still-1.png" "$ARTIFACTS/$CASE-before.png"
cp "$WORK/turned.png" "$ARTIFACTS/$CASE-after.png"
turned=$(difference "$WORK/still-2.png" "$WORK/turned.png")
echo "outline pixels changed by themselves: $by_itself, after the drag: $turned"
[ "$turned" -gt $((3 * by_itself + 2000)) ] || fail "dragging did not turn the pumpkin"

# Movements that would end the ordinary saver three times over, each one seen by the
# saver's frame loop, which goes on running.
for position in "100 100" "900 700" "100 700" "900 100" "300 300" "700 500" "200 600"; do
  move_mouse $position
done
saver_ended && fail "mouse movement ended the saver in move mode"
grep -q '^mouse-move-counted' "$EVENTS" && fail "the saver counted movements in move mode"
end_with_key
