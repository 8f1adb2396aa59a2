#!/usr/bin/env bash
# Builds the default native flavor and starts it; arguments go to the program.
#   scripts/run.sh [cycles] [threads] [logfile] [destpath]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh native >/dev/null
cmake --preset linux-vc2013-x64 -DTEMBRIX_TESTS=OFF >/dev/null
cmake --build --preset linux-vc2013-x64 --target tembrix-vc2013-x64 >/dev/null
exec out/linux-vc2013-x64/tembrix-vc2013-x64 "$@"
