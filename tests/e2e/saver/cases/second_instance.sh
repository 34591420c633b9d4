# A second /S while a saver runs ends at once and leaves the first, and the hidden
# taskbar, alone. The native one needs no shared folder to tell: the second runs without
# a runtime folder and with a temporary folder it cannot write.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
second_started=$(now)
# The second saver notes its events in a file of its own.
second_events=$WORK/second-events
if [ "$KIND" = linux ]; then
  KELVORA_EVENT_FILE=$second_events TMPDIR=/nonexistent XDG_RUNTIME_DIR=$WORK/run-of-second \
    timeout 10 "$WORK/kelvora" /S ||
    fail "the second saver did not end with exit code 0"
else
  second_out=$WORK/second.out
  KELVORA_EVENT_FILE=$(windows_path "$second_events") timeout 30 "$WINE" "$DRIVER" \
    --existing-taskbar --timeout 20 "$(windows_path "$WORK/kelvora.scr")" /S >"$second_out" 2>/dev/null
  grep -qx "exit 0" "$second_out" || fail "the second saver did not end with exit code 0"
  grep -qx "final taskbar hidden" "$second_out" || fail "the second saver touched the taskbar"
fi
echo "the second saver ended after $(seconds_since "$second_started") s"
grep -q '^first-frame' "$second_events" 2>/dev/null && fail "the second saver showed a scene"
saver_ended && fail "the second saver ended the first"
# The first saver's frame loop still runs: it sees the mouse where it went after the second
# ended.
move_mouse 300 300
wait_for_scene 2
end_with_key
