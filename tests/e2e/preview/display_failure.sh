#!/usr/bin/env bash
# The preview without a usable X display: the product ends with code 1 and says why,
# both when $DISPLAY names no display and when the one it names cannot be opened.
# Argument: the native product.
set -uo pipefail
product=${1:?the kelvora executable}

# A display number with no server: no socket and no lock file.
number=150
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done

status=0
while IFS='|' read -r display expected; do
  if [ -z "$display" ]; then
    said=$(env -u DISPLAY "$product" /P 1 2>&1)
  else
    said=$(DISPLAY=$display "$product" /P 1 2>&1)
  fi
  code=$?
  if [ "$code" -ne 1 ] || [ "$said" != "$expected" ]; then
    echo "FAIL with DISPLAY='$display': exit $code, said: $said (expected: $expected)"
    status=1
  fi
done <<CASES
|kelvora: the preview needs an X display, and \$DISPLAY names none
:$number|kelvora: cannot open display :$number: no X server there accepted the connection
CASES
exit $status
