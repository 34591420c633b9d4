# Without kelvora.ini the set-up shows the "Screen Saver" box with the missing-files
# message; closing it ends the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
rm "$WORK/kelvora.ini"
start_saver --close-message-box /S
expect_message_box_then_end "$(second_message)"
