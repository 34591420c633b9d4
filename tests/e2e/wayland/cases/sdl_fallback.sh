# Where the compositor offers no layer shell (forced so here), SDL's Wayland driver is
# used even with XWayland there: one fullscreen window per output covers both; a key ends
# it with 0.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
start_saver KELVORA_NO_LAYER_SHELL=1
expect_outputs_covered
type_key
expect_ending "a key did not end the saver"
