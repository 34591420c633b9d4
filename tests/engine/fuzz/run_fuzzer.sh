#!/bin/sh
# Runs the fuzzer briefly over a fresh copy of the seed inputs: fuzzer, seeds, scratch folder.
set -e
rm -rf "$3"
cp -r "$2" "$3"
exec "$1" -runs=300000 -max_total_time=20 -seed=1 "$3"
