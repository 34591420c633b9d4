# /S with the default settings shows the lit pumpkin and its flame, and hides
# the taskbar (under Wine) while it runs.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
if [ "$KIND" = wine ]; then
  wait_until 2 driver_saw "taskbar hidden" || fail "the taskbar stayed visible while the saver ran"
fi
end_with_key
