# When the compositor ends under the saver, nothing shows any more: the saver ends too
# (with 0, as when its windows are closed) rather than drawing on unseen.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
start_saver
expect_outputs_covered
kill "$COMPOSITOR_PID"
expect_exit_code_0
