# A one-button message box reads "OK" on both products, as on Windows (FLTK's own box
# would read "Close"): the "Screen Saver" box that a missing settings file brings up.
# Natively the box notes its button in the event file, since FLTK's buttons are no X
# windows to read; under Wine the driver reads the dialog's real button.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
rm "$WORK/kelvora.ini"
start_saver --close-message-box /S
if [ "$KIND" = linux ]; then
  expect_event 'message-box-button "OK"' 20 0 "the box's button did not read OK"
fi
expect_message_box_then_end "$(second_message)"
if [ "$KIND" = wine ]; then
  driver_saw "message box buttons: OK" || fail "the box's only button did not read OK"
fi
