# A key pressed and let go at once, with no hold, ends the saver as surely as a held one:
# the saver must not miss a press that came and went between two of its polls. It sees
# the tap within 1 s natively and 3 s under Wine, far longer than a frame.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
mark=$(event_mark)
if [ "$KIND" = linux ]; then
  limit=1
  xdotool key space
else
  limit=3
  # Through Wine's X11 driver the two halves of `xdotool key` may reach the saver in two
  # passes of its pump; posted together to its window, they always come in one.
  "$WINE" "$KELVORA_WINDOWS_BUILD/tests/backends/windows/saver_driver/tap_key.exe" || fail "the key could not be tapped"
fi
expect_event 'key-seen [0-9]+' "$limit" "$mark" "a key tapped without a hold was missed"
expect_ending "a tapped key did not end the saver"
