# Kinds: wine
# Each road the Windows product draws on (Direct3D 11 on the graphics card, on WARP, and
# OpenGL 3.3), forced with KELVORA_RENDERER, shows the scene, notes the road it took, and,
# once its glow has settled, the pictures agree: the pumpkin's box within 3 pixels of a
# quarter-size copy (12 of the screen's), the flame core's centre within 4 (it sways), the
# skin's mean colour within 8 of 255 in each channel. The graphics card's road once more
# with swap chains of the blt model (a test hook: Wine always offers the flip model), as a
# Windows without it takes.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product

# The candle's glow lights the inside over the first second, and the flame first shows above
# the wax at a moment that differs from road to road: each road is measured once two
# pictures in a row agree within the tolerances below, so that no road is caught darker.
settled() {
  local previous current k
  previous=$(scene_measures "$WORK/poll.png")
  for k in $(seq 20); do
    screenshot "$WORK/poll.png"
    current=$(scene_measures "$WORK/poll.png")
    paste <(echo "$previous") <(echo "$current") | awk '{
        for (i = 1; i <= 4; i++) if ($i - $(i + 9) > 3 || $(i + 9) - $i > 3) exit 1
        for (i = 7; i <= 9; i++) if ($i - $(i + 9) > 8 || $(i + 9) - $i > 8) exit 1
      }' && break
    previous=$current
  done
  echo "$current"
}

# Each row: a name, the road, the swap chain's model where Direct3D draws, and the run's
# variables.
ROWS=(
  "d3d11 d3d11 flip KELVORA_RENDERER=d3d11"
  "warp warp flip KELVORA_RENDERER=warp"
  "gl gl - KELVORA_RENDERER=gl"
  "blt d3d11 blt KELVORA_RENDERER=d3d11 KELVORA_D3D11_BLT_MODEL=1"
)
for row in "${ROWS[@]}"; do
  read -r road taken model variables <<<"$row"
  # shellcheck disable=SC2086 # the row's variables, one word each
  start_on_road "$road" $variables
  expect_event "drawing-road $taken" 30 0 "the saver did not take the $taken road"
  if [ "$model" != - ]; then
    grep -qx "swap-chain $model" "$EVENTS" || fail "the $road run's swap chain is not of the $model model"
  fi
  wait_for_scene 30
  settled >"$WORK/measures-$road"
  cp "$WORK/poll.png" "$ARTIFACTS/$CASE-$road.png"
  echo "$road: pumpkin box, flame centre, mean colour: $(cat "$WORK/measures-$road")"
  end_with_key
done
for road in d3d11 warp blt; do
  paste "$WORK/measures-gl" "$WORK/measures-$road" | awk '{
      for (i = 1; i <= 4; i++) if ($i - $(i + 9) > 3 || $(i + 9) - $i > 3) bad = bad " box"
      for (i = 5; i <= 6; i++) if ($i - $(i + 9) > 4 || $(i + 9) - $i > 4) bad = bad " flame"
      for (i = 7; i <= 9; i++) if ($i - $(i + 9) > 8 || $(i + 9) - $i > 8) bad = bad " colour"
      if (bad) { print bad; exit 1 }
    }' || fail "the $road road's picture differs from the gl road's ($ARTIFACTS/$CASE-$road.png)"
done
