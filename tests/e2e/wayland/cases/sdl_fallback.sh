# Where the compositor offers no layer shell (forced so here), SDL's Wayland driver is
# used even with XWayland there: one fullscreen window per output covers both; a key ends
# it with 0. On an output of scale 2 it draws at the output's own pixels, as the layer
# shell does: as much fine detail as the layer shell's picture, where one drawn at the
# logical size and doubled has none.
source "$(dirname "$0")/../lib.sh"
start_compositor 'output HEADLESS-2 scale 2'
copy_product
declare -A detail
for road in layer-shell sdl; do
  EVENTS=$WORK/events-$road
  environment=()
  [ $road = layer-shell ] || environment=(KELVORA_NO_LAYER_SHELL=1)
  start_saver "${environment[@]}"
  expect_outputs_covered
  detail[$road]=$(fine_detail "$(photograph HEADLESS-2)")
  cp "$ARTIFACTS/$CASE-HEADLESS-2.png" "$ARTIFACTS/$CASE-$road-scale-2.png"
  type_key
  expect_ending "a key did not end the saver"
done
echo "fine detail on the scale-2 output: layer shell ${detail[layer-shell]}, SDL ${detail[sdl]}"
awk -v l="${detail[layer-shell]}" -v s="${detail[sdl]}" 'BEGIN { exit !(l > 1 && s > 0.6 * l) }' ||
  fail "the SDL fallback's picture on the scale-2 output has ${detail[sdl]} of fine detail, the layer shell's ${detail[layer-shell]}"
