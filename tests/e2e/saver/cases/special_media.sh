# Special files as the saver's media: a named pipe in place of each medium, and the
# model linked to an endless device. Opening a pipe waits for a writer and a device never
# ends, so the set-up must refuse them unread: each ends in the "Screen Saver" box with
# the missing-files message within seconds, and closing it ends the saver. Named pipes and
# endless devices are the Linux product's to meet.
# Kinds: linux
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
MEDIA=$WORK/durnwick/kelvora
cp -r "$MEDIA" "$WORK/good-media"

CASES=(
  "pipe loading.jpg"
  "pipe smoke.bmp"
  "pipe kelvora.3ds"
  "endless kelvora.3ds"
)
for entry in "${CASES[@]}"; do
  read -r name medium <<<"$entry"
  rm -rf "$MEDIA" && cp -r "$WORK/good-media" "$MEDIA"
  rm -f "$MEDIA/$medium"
  case $name in
    pipe) mkfifo "$MEDIA/$medium" ;;
    endless) ln -s /dev/zero "$MEDIA/$medium" ;;
  esac
  echo "case: $name $medium"
  # Each run has its own event file and driver report.
  EVENTS=$WORK/events-$name-$medium
  DRIVER_OUT=$WORK/driver-$name-$medium.out
  start_saver --close-message-box /S
  expect_message_box_then_end "$(second_message)"
done
