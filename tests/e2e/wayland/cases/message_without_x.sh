# In a Wayland session without XWayland the saver's message box (here: a medium missing)
# cannot show: its text goes to standard error in one line, and the saver ends as after
# the box, with 0.
source "$(dirname "$0")/../lib.sh"
start_compositor 'xwayland disable'
unset DISPLAY
copy_product
rm "$WORK/durnwick/kelvora/kelvora.3ds"
start_saver
expect_event 'message-box-closed' 30 0 "the saver's message did not end"
expect_exit_code_0
grep -qx 'kelvora: Screen Saver: One or more files are missing from application\..*' "$WORK/saver.out" ||
  fail "standard error did not say what the box said: $(cat "$WORK/saver.out")"
