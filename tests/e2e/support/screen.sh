# Shared by the end-to-end libraries: what the screen shows and where keys go.

# screenshot PICTURE [WINDOW]: the screen (or that window) into the picture file.
screenshot() { import -window "${2:-root}" "$1" 2>/dev/null; }

# count_pixels PICTURE TEST [CROP] [REDUCTION]: how many pixels of a 128 x 96 (or
# REDUCTION) reduction of the picture (or of the crop WxH+X+Y of it) pass a colour test.
count_pixels() {
  local crop=${3:-}
  convert "$1" ${crop:+-crop "$crop" +repage} -scale "${4:-128x96}!" -fx "$2 ? 1 : 0" \
    -format '%[fx:round(mean*w*h)]' info:
}

# The lit pumpkin: a large warm orange shape (some 1100 of the 12288 reduced pixels at
# the start pose); the flame: its yellow-white core seen through the nose (some 16 to 28,
# however it flickers), brighter than the skin or the glow inside ever are.
ORANGE='r > 0.45 && g > 0.12 && g < 0.75 && b < 0.35 && r > 1.3 * g'
FLAME='r > 0.9 && g > 0.6'

# scene_in PICTURE [CROP]: the lit pumpkin and its flame show in the picture (or in the
# crop WxH+X+Y of it).
scene_in() {
  [ "$(count_pixels "$1" "$ORANGE" "${2:-}")" -ge 500 ] && [ "$(count_pixels "$1" "$FLAME" "${2:-}")" -ge 8 ]
}

# scene_shown: the scene is on the screen now; the screenshot that tells is
# $WORK/poll.png.
scene_shown() {
  screenshot "$WORK/poll.png" || return 1
  scene_in "$WORK/poll.png"
}

# Without a window manager the keyboard focus stays where an earlier program left it
# (a closed message box leaves none); give it to the root, so that keys go to the window
# under the pointer, as on a fresh display.
reset_keyboard_focus() {
  xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')" 2>/dev/null || true
}
