# A named pipe as the event file that nobody reads, either with no reader at all or with
# one whose pipe is full: the saver waits for neither, shows the scene, and a key ends it
# with code 0. Its lines are lost, so the key is held until the process has ended.
# Kinds: linux wine
source "$(dirname "$0")/../lib.sh" "$1"
copy_product

# The pipe held open for reading on descriptor 3 and filled to the brim, never read.
fill_pipe() {
  exec 3<>"$EVENTS"
  python3 -c '
import fcntl, os
fcntl.fcntl(3, fcntl.F_SETFL, os.O_NONBLOCK)
for size in (4096, 1):
    try:
        while True:
            os.write(3, b"x" * size)
    except BlockingIOError:
        pass'
}

for reader in none full; do
  echo "case: $reader"
  rm -f "$EVENTS"
  mkfifo "$EVENTS"
  [ "$reader" = none ] || fill_pipe
  DRIVER_OUT=$WORK/driver-$reader.out
  start_saver /S
  wait_until 30 scene_shown || fail "no scene with a pipe of $reader reader as the event file"
  xdotool keydown space
  ended=0
  wait_until 10 saver_ended || ended=$?
  xdotool keyup space
  [ $ended = 0 ] || fail "a key did not end the saver with a pipe of $reader reader as the event file"
  expect_exit_code_0
  check_taskbar_restored
  exec 3<&-
done
