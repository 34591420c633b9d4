# The settings dialog, which only X11 serves, opens through XWayland in a Wayland session;
# closed through the compositor, it saves the settings and ends with 0.
source "$(dirname "$0")/../lib.sh"
start_compositor
copy_product
start_saver /C
expect_event 'settings-window-shown' 30 0 "the settings dialog did not open through XWayland"
# The compositor asks the focused window, the dialog, to close.
wait_until 10 swaymsg '[class=".*"] kill' >/dev/null 2>&1 || fail "sway saw no X window to close"
expect_event 'settings-saved' 10 0 "closing the settings dialog did not save the settings"
expect_exit_code_0
