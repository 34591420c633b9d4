#!/bin/sh
# kelvora from a shell (kelvora /S, kelvora /C, kelvora --window): the program lives
# where XScreenSaver looks for its hacks.
exec /usr/libexec/xscreensaver/kelvora "$@"
