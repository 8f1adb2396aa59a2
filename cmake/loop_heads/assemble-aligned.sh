#!/bin/sh
# Runs each program of a workload compilation (the compiler calls it through
# -wrapper, see cmake/flavor.cmake). The assembler's input is first passed
# through align_loop_heads.awk, which puts the head of every loop on a 64-byte
# boundary, so that where the linker places a workload never changes how its
# loop runs. Everything else runs as it is.
set -eu
program=$1
case ${program##*/} in
  as | *-as) ;;
  *) exec "$@" ;;
esac
for input in "$@"; do :; done
case $input in
  *.s) ;;
  *) echo "assemble-aligned.sh: no assembly file in: $*" >&2; exit 1 ;;
esac
awk -f "$(dirname "$0")/align_loop_heads.awk" "$input" > "$input.aligned"
mv "$input.aligned" "$input"
exec "$@"
