# Special files as the saver's media: a named pipe in place of each medium, and the
# model linked to an endless device. Opening a pipe waits for a writer and a device never
# ends, so the set-up must refuse them unread: each ends in the "Screen Saver" box with
# the missing-files message within seconds, and closing it ends the saver. Named pipes and
# endless devices are the Linux product's to meet.
# Kinds: linux
source "$(dirname "$0")/../lib.sh" "$1"
copy_product

spoil() {
  case $1 in
    pipe) mkfifo "$2" ;;
    endless) ln -s /dev/zero "$2" ;;
  esac
}

refuse_each_medium spoil "pipe loading.jpg" "pipe smoke.bmp" "pipe kelvora.3ds" "endless kelvora.3ds"
