# /S on a compositor with the layer shell: the scene fills both outputs with no desktop
# left, with XWayland there too (whose windows could not be placed on the outputs); a key
# ends it with 0, and so does SIGTERM (as a session's idle daemon ends it). The saver counts
# the frames it shows in its frame-rate file, once a frame however many outputs show it, no
# more than the outputs' 60 Hz.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
for ending in key SIGTERM; do
  # Each run has its own event file.
  EVENTS=$WORK/events-$ending
  start_saver KELVORA_FRAME_RATE_FILE="$WORK/fps-$ending"
  expect_outputs_covered
  wait_until 5 test -s "$WORK/fps-$ending" || fail "the saver wrote no frame counts"
  awk '{ if ($1 <= 0 || $1 > 63) exit 1 }' "$WORK/fps-$ending" ||
    fail "frame counts out of 0 to 60 Hz: $(tr '\n' ' ' <"$WORK/fps-$ending")"
  case $ending in
    key) type_key ;;
    SIGTERM) kill -TERM "$SAVER_PID" ;;
  esac
  expect_ending "$ending did not end the saver"
done
