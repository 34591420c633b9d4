# Oversized media: a picture whose header declares 20000 x 20000 pixels, and a model
# larger than any we read. A reader that trusts them allocates gigabytes and spends
# seconds filling them; the set-up must refuse them before that, ending in the "Screen
# Saver" box with the missing-files message, and closing it ends the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
MEDIA=$WORK/durnwick/kelvora
cp -r "$MEDIA" "$WORK/good-media"

# loading.jpg with its frame header claiming 20000 x 20000: a decoder that trusts it
# allocates gigabytes and spends seconds filling them.
claim_20000_square() {
  python3 - "$1" <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
at = 2
while data[at + 1] not in (0xC0, 0xC1, 0xC2):
    at += 2 + (data[at + 2] << 8 | data[at + 3])
data[at + 5:at + 9] = (20000).to_bytes(2, 'big') * 2
open(path, 'wb').write(data)
PY
}

CASES=(
  "huge-picture loading.jpg"
  "huge-model kelvora.3ds"
)
for entry in "${CASES[@]}"; do
  read -r name medium <<<"$entry"
  rm -rf "$MEDIA" && cp -r "$WORK/good-media" "$MEDIA"
  rm -f "$MEDIA/$medium"
  case $name in
    huge-picture) cp "$WORK/good-media/$medium" "$MEDIA/$medium" && claim_20000_square "$MEDIA/$medium" ;;
    huge-model) truncate -s 65M "$MEDIA/$medium" ;;
  esac
  echo "case: $name $medium"
  # Each run has its own event file and driver report.
  EVENTS=$WORK/events-$name-$medium
  DRIVER_OUT=$WORK/driver-$name-$medium.out
  start_saver --close-message-box /S
  expect_message_box_then_end "$(second_message)"
done
