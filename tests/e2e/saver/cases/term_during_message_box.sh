# Kinds: linux
# SIGTERM ends the saver even while its "Screen Saver" box waits for a button (the box's
# own loop never reads the quit SDL makes of the signal): the box closes and the saver
# notes its ending and exits with 0.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
rm "$WORK/kelvora.ini"
start_saver /S
expect_event 'message-box "Screen Saver" ".*"' 20 0 "no \"Screen Saver\" message box"
xdotool search --sync --onlyvisible --name '^Screen Saver$' >/dev/null
kill -TERM "$SAVER_PID"
expect_event 'message-box-closed' 5 0 "SIGTERM did not close the message box"
expect_ending "SIGTERM did not end the saver waiting in its message box"
