# A key pressed and let go at once, with no hold, ends the saver as surely as a held one:
# the saver must not miss a press that came and went between two of its polls.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
tapped=$(now)
if [ "$KIND" = linux ]; then
  xdotool key space
else
  # Through Wine's X11 driver the two halves of `xdotool key` may reach the saver in two
  # passes of its pump; posted together to its window, they always come in one.
  "$WINE" "$KELVORA_WINDOWS_BUILD/tests/windows/saver_driver/tap_key.exe" || fail "the key could not be tapped"
  tapped=$(now)
fi
wait_until "$(key_exit_limit)" saver_ended || fail "a key tapped without a hold did not end the saver within $(key_exit_limit) s"
echo "ended $(seconds_since "$tapped") s after the tap"
# Asked in this shell, not in a $(...) one: only the shell that started the saver can
# collect the exit code of a saver that has ended but not yet been waited for.
saver_exit_code >"$WORK/exit-code"
code=$(<"$WORK/exit-code")
[ "$code" = 0 ] || fail "the saver ended with exit code $code, not 0"
check_taskbar_restored
