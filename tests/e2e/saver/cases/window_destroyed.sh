# Kinds: linux
# The saver's window destroyed by another client ends the saver as a close from outside
# does: its "ending 0" line, exit code 0, and no X error on its output.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
expect_event 'first-frame [0-9.]+' 10 0 "the saver presented no frame"
xdotool windowclose "$(xdotool search --pid "$SAVER_PID" | head -n1)"
expect_ending "destroying its window did not end the saver"
[ ! -s "$WORK/saver.out" ] || fail "the saver said: $(cat "$WORK/saver.out")"
