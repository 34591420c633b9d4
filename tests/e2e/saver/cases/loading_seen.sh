# The loading picture is what the user sees first: the saver window covers the screen
# from its first present, which shows the picture, and it stays until the first frame of
# the scene. The saver runs under strace, which stops it (SIGSTOP) on its first write to
# the event file, the "loading-presented" line: the screenshot is taken while it is held
# there, between the loading picture and its first scene frame. Continued, it goes on to
# the scene and ends on a key.
# Kinds: linux wine
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
# Under Wine the saver is a process the driver starts, and notes its swap chain's model and
# the road it draws on before anything else.
first_write=1
[ "$KIND" = linux ] || first_write=3
SAVER_LAUNCHER=(strace -f -o /dev/null -P "$EVENTS" -e trace=write,pwrite64,writev
  -e inject=write,pwrite64,writev:signal=SIGSTOP:when=$first_write)
start_saver /S

# Written before the stop, which then comes before the saver runs on.
expect_event loading-presented 30 0 "the saver noted no loading picture"
first=$(grep -v -e '^drawing-road ' -e '^swap-chain ' "$EVENTS" | head -n1)
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
# The saver's process is the only one of the case that strace stopped.
for pid in $(pgrep -f "$(basename "$WORK")"); do kill -CONT "$pid"; done
wait_for_scene 30
end_with_key
