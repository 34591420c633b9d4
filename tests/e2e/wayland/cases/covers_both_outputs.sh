# /S on a compositor with the layer shell: the scene fills both outputs with no desktop
# left, with XWayland there too (whose windows could not be placed on the outputs); a key
# ends it with 0, and so does SIGTERM (as a session's idle daemon ends it).
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
for ending in key SIGTERM; do
  # Each run has its own event file.
  EVENTS=$WORK/events-$ending
  start_saver
  expect_outputs_covered
  case $ending in
    key) type_key ;;
    SIGTERM) kill -TERM "$SAVER_PID" ;;
  esac
  expect_ending "$ending did not end the saver"
done
