# A key press ends the saver with exit code 0, at once, and brings the taskbar back.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
start_saver /S
wait_for_scene 10
end_with_key
