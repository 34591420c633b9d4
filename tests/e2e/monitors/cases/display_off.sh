# While the monitors are powered down the saver shows no frames, and shows them again when
# they come back; a key still ends it at once meanwhile. Under Wine a driver sends the
# console display's power broadcast (off, then on) as the system does; natively the
# server's DPMS is forced off and on, where the server offers DPMS. Frames are seen as
# screenshots that change: the flame never holds still while the saver draws.
source "$(dirname "$0")/../lib.sh" "$1"
POWER_DRIVER=${KELVORA_WINDOWS_BUILD:-}/tests/backends/windows/power_driver/power_driver.exe
start_nested_x -screen 640x480
if [ "$KIND" = linux ]; then
  xset q 2>/dev/null | grep -q 'DPMS is' || skip "this X server offers no DPMS"
else
  [ -f "$POWER_DRIVER" ] || fail "no power driver at $POWER_DRIVER"
fi
copy_product
reset_keyboard_focus
start_saver
wait_until 30 scene_shown || fail "no scene within 30 s"

# frames_shown SECONDS: two screenshots that far apart differ.
frames_shown() {
  screenshot "$WORK/a.png" && sleep "$1" && screenshot "$WORK/b.png" || return 1
  [ "$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1)" != 0 ]
}
frames_stopped() { ! frames_shown 1; }

power() {
  if [ "$KIND" = linux ]; then
    xset dpms force "$1"
  else
    "$WINE" "$POWER_DRIVER" "$1" >>"$WORK/driver.out" 2>&1 || fail "the power driver failed: $(cat "$WORK/driver.out")"
  fi
}

frames_shown 0.5 || fail "the scene does not move"
power off
# The monitors' power is looked at every 2 s while they are on.
wait_until 8 frames_stopped || fail "frames went on with the display off"
frames_stopped || fail "frames came back with the display still off"
power on
wait_until 5 frames_shown 0.5 || fail "frames did not resume when the display came back"

power off
wait_until 8 frames_stopped || fail "frames went on with the display off the second time"
xdotool mousemove 320 240
press_key
wait_until "$(key_exit_limit)" saver_ended || fail "a key did not end the saver while the display was off"
