# Without the pumpkin model the set-up shows the "Screen Saver" box with the
# missing-files message; closing it ends the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
rm "$WORK/durnwick/kelvora/kelvora.3ds"
start_saver --close-message-box /S
expect_message_box_then_end "$(second_message)"
# Behind the fixed message, what failed: in the event file, and on the Linux product's
# standard error.
expect_event 'setup-failure "[^"]+"' 1 0 "the set-up failure left no reason"
if [ "$KIND" = linux ]; then
  grep -q 'kelvora: One or more files are missing' "$WORK/saver.out" && [ "$(grep -c '^kelvora: ' "$WORK/saver.out")" -ge 2 ] ||
    fail "standard error holds no reason: $(cat "$WORK/saver.out")"
fi
