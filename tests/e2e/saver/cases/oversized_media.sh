# Oversized media: a picture whose header declares 20000 x 20000 pixels, and a model
# larger than any we read. A reader that trusts them allocates gigabytes and spends
# seconds filling them; the set-up must refuse them before that, ending in the "Screen
# Saver" box with the missing-files message, and closing it ends the saver.
source "$(dirname "$0")/../lib.sh" "$1"
copy_product

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

spoil() {
  case $1 in
    huge-picture) cp "$WORK/good-media/loading.jpg" "$2" && claim_20000_square "$2" ;;
    huge-model) truncate -s 65M "$2" ;;
  esac
}

refuse_each_medium spoil "huge-picture loading.jpg" "huge-model kelvora.3ds"
