# Kinds: wine
# Each road the Windows product draws on (Direct3D 11 on the graphics card, on WARP, and
# OpenGL 3.3), forced with KELVORA_RENDERER, shows the scene, notes the road it took, and
# the pictures agree: the pumpkin's box within 3 pixels of a quarter-size copy (12 of the
# screen's), the flame core's centre within 4 (it sways), the skin's mean colour within 8
# of 255 in each channel.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
for road in d3d11 warp gl; do
  start_on_road "$road" KELVORA_RENDERER=$road
  expect_event "drawing-road $road" 30 0 "the saver did not take the $road road"
  wait_for_scene 30
  cp "$ARTIFACTS/$CASE-scene.png" "$ARTIFACTS/$CASE-$road.png"
  scene_measures "$ARTIFACTS/$CASE-$road.png" >"$WORK/measures-$road"
  echo "$road: pumpkin box, flame centre, mean colour: $(cat "$WORK/measures-$road")"
  end_with_key
done
for road in d3d11 warp; do
  paste "$WORK/measures-gl" "$WORK/measures-$road" | awk '{
      for (i = 1; i <= 4; i++) if ($i - $(i + 9) > 3 || $(i + 9) - $i > 3) bad = bad " box"
      for (i = 5; i <= 6; i++) if ($i - $(i + 9) > 4 || $(i + 9) - $i > 4) bad = bad " flame"
      for (i = 7; i <= 9; i++) if ($i - $(i + 9) > 8 || $(i + 9) - $i > 8) bad = bad " colour"
      if (bad) { print bad; exit 1 }
    }' || fail "the $road road's picture differs from the gl road's ($ARTIFACTS/$CASE-$road.png)"
done
