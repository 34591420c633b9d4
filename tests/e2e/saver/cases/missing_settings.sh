# Settings the set-up cannot read: no kelvora.ini, or one of 100 MB of empty lines (far
# beyond the largest settings file read, so never read for seconds). Each ends in the
# "Screen Saver" box with the missing-files message, and closing it ends the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
cp "$WORK/kelvora.ini" "$WORK/good.ini"
for spoil in missing empty-lines-100MB; do
  cp "$WORK/good.ini" "$WORK/kelvora.ini"
  case $spoil in
    missing) rm "$WORK/kelvora.ini" ;;
    empty-lines-100MB) head -c 100000000 /dev/zero | tr '\0' '\n' >"$WORK/kelvora.ini" ;;
  esac
  # Each run has its own event file and driver report.
  EVENTS=$WORK/events-$spoil
  DRIVER_OUT=$WORK/driver-$spoil.out
  start_saver --close-message-box /S
  expect_message_box_then_end "$(second_message)"
  echo "case $spoil: the message box $(seconds_since "$SAVER_STARTED") s after the start"
done
