# /S on a compositor with the layer shell: the scene fills both outputs with no desktop
# left, with XWayland there too (whose windows could not be placed on the outputs); a key
# ends it with 0.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
start_saver
expect_outputs_covered
type_key
expect_ending "a key did not end the saver"
