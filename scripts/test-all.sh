#!/usr/bin/env bash
# Sets up a fresh machine, builds all seven flavors for Linux (x86-64 and x86)
# and for Windows (MinGW-w64), and runs every test: unit tests of each flavor,
# end-to-end tests of each deliverable (the Windows ones under Wine), and a
# sanitizer build of one x86-64 and one x86 flavor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh all

# Ninja builds on every core by itself; CTest runs one test at a time unless told.
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

status=0
for workflow in linux-all linux-sanitize windows-x64-all windows-x86-all; do
  echo "=== workflow ${workflow}"
  rm -rf "out/${workflow}"
  if ! cmake --workflow --preset "${workflow}"; then
    echo "=== workflow ${workflow} FAILED"
    status=1
  fi
done
exit "${status}"
