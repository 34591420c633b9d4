# -s and -c are no options of the native product's hack mode: like any command line the
# screen-saver protocol does not know, they start the saver, as they do on Windows.
# Kinds: linux
source "$(dirname "$0")/../lib.sh" "$1"
copy_product
for switch in -s -c; do
  echo "case: $switch"
  EVENTS=$WORK/events$switch
  start_saver "$switch"
  wait_for_scene 10
  end_with_key
done
