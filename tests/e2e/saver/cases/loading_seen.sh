# The loading picture is what the user sees first: the saver window covers the screen
# from its first present, which shows the picture, and it stays until the first frame of
# the scene. The event file is a named pipe here: the saver writes "loading-presented",
# and its next event then waits until someone listens again, so the screenshot is taken
# while the saver is held between the loading picture and its first scene frame.
# Kinds: linux wine
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
mkfifo "$EVENTS"
start_saver /S
first=$(timeout 20 head -n1 "$EVENTS") || fail "the saver noted no event"
[ "$first" = loading-presented ] || fail "the saver's first event was \"$first\", not loading-presented"
shot=$ARTIFACTS/$CASE.png
screenshot "$shot"
# The 256 x 64 picture in the middle of the 800 x 600 layout, scaled to the 1024 x 768
# screen: its orange "Loading..." inside the box, black everywhere above and below it.
inside=$(convert "$shot" -crop 328x82+348+343 +repage -fx "$ORANGE ? 1 : 0" -format '%[fx:round(mean*w*h)]' info:)
[ "$inside" -ge 200 ] || fail "no loading picture in the middle of the screen ($inside orange pixels; $shot)"
for band in 1024x330+0+0 1024x330+0+438; do
  lit=$(convert "$shot" -crop "$band" +repage -fx 'r + g + b > 0.1 ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:)
  [ "$lit" = 0 ] || fail "$lit lit pixels outside the loading picture ($band of $shot): the scene or the desktop shows"
done
