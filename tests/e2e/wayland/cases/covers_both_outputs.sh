# /S on a compositor with the layer shell: the scene fills both outputs with no desktop
# left, with XWayland there too (whose windows could not be placed on the outputs); a key
# ends it with 0, and so does SIGTERM (as a session's idle daemon ends it). With
# WAYLAND_DISPLAY unset the saver has only XWayland, and still covers both outputs, one
# window on each, and a key ends it. The saver counts the frames it shows in its frame-rate
# file, once a frame however many outputs show it, no more than the outputs' 60 Hz.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
for run in layer-shell:key layer-shell:SIGTERM xwayland:key; do
  road=${run%:*} ending=${run#*:}
  # Each run has its own event file.
  EVENTS=$WORK/events-$road-$ending
  session=()
  [ "$road" = layer-shell ] || session=(WAYLAND_DISPLAY=)
  start_saver "${session[@]}" KELVORA_FRAME_RATE_FILE="$WORK/fps-$run"
  expect_outputs_covered
  wait_until 5 test -s "$WORK/fps-$run" || fail "the saver wrote no frame counts ($run)"
  awk '{ if ($1 <= 0 || $1 > 63) exit 1 }' "$WORK/fps-$run" ||
    fail "frame counts out of 0 to 60 Hz ($run): $(tr '\n' ' ' <"$WORK/fps-$run")"
  case $ending in
    key) type_key ;;
    SIGTERM) kill -TERM "$SAVER_PID" ;;
  esac
  expect_ending "$ending did not end the saver ($road)"
done
