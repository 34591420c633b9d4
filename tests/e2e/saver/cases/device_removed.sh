# Kinds: wine
# A Direct3D device removed in the middle of /S (as a driver update or a remote-desktop
# connect does; here the test hook makes the 40th present answer DXGI_ERROR_DEVICE_REMOVED)
# is replaced by a new one: the scene shows again, and a key still ends the saver with
# code 0 and the taskbar restored. On the graphics card's road and on WARP's (under Wine
# both draw on the processor, a part at a time, straight into the window).
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
for road in d3d11 warp; do
  start_on_road "$road" KELVORA_RENDERER=$road KELVORA_D3D11_REMOVED_AT_PRESENT=40
  # Noted once the new device has presented a frame.
  expect_event "device-replaced" 60 0 "the $road road did not replace its removed device"
  grep -q '^device-removed$' "$EVENTS" || fail "the removal was not noted"
  wait_until 20 scene_shown || fail "no scene after the $road road's device was replaced"
  cp "$WORK/poll.png" "$ARTIFACTS/$CASE-$road-after.png"
  saver_ended && fail "the saver ended when its device was removed"
  end_with_key
done
