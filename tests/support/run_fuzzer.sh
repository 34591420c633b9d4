#!/bin/sh
# Runs a fuzzer over a fresh copy of the seed inputs: fuzzer, seeds, scratch folder, then
# the run's own libFuzzer options (its number of runs and its memory limits).
#
# Each run tries the same inputs in the same order on any machine under any load, so that
# a failure comes back when rerun:
#   -seed=1     the same mutations every time;
#   -reload=0   else libFuzzer rereads the scratch folder each second and runs anew what it
#               finds there (inputs it has since shrunk), at points set by the clock;
#   -use_cmp=0  else mutations take values from the comparisons the target made, and some
#               of those differ from process to process: two runs of one seed parted ways
#               after a few thousand inputs;
# and the caller gives a number of runs, never a time limit, which would make how far a
# run gets depend on the machine's load.
set -e
fuzzer=$1 seeds=$2 scratch=$3
shift 3
rm -rf "$scratch"
mkdir -p "$(dirname "$scratch")"
cp -r "$seeds" "$scratch"
exec "$fuzzer" -seed=1 -reload=0 -use_cmp=0 "$@" "$scratch"
