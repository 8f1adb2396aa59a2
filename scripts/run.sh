#!/usr/bin/env bash
# Builds the default native flavor and starts it; arguments go to the program.
#   scripts/run.sh [cycles] [threads] [logfile] [destpath]
# The build has its own tree, out/run (no tests), so the presets' trees stay as
# they are. The program starts in the caller's directory: relative paths in
# the arguments mean what they say there.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=$root/out/run
program=$tree/tembrix-vc2013-x64

bash "$root/scripts/install-deps.sh" native

# Build quietly; on failure show everything the build said.
quietly() {
  local output
  if ! output=$("$@" 2>&1); then
    printf '%s\n' "$output" >&2
    echo "run.sh: the build failed: $*" >&2
    exit 1
  fi
}

if [[ ! -f $tree/build.ninja ]]; then
  echo "Building tembrix-vc2013-x64 in $tree ..." >&2
  quietly cmake -S "$root" -B "$tree" -G Ninja \
      -DTEMBRIX_FLAVORS=tembrix-vc2013-x64 -DTEMBRIX_TESTS=OFF
fi
quietly cmake --build "$tree" --target tembrix-vc2013-x64

exec "$program" "$@"
