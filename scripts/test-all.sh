#!/usr/bin/env bash
# Sets up a fresh machine, builds all seven flavors for Linux (x86-64 and x86)
# and for Windows (MinGW-w64), and runs every test: unit tests of each flavor,
# end-to-end tests of each deliverable (the Windows ones under Wine), and a
# sanitizer build of one x86-64 and one x86 flavor. Ends with a summary: per
# workflow the tests passed, failed and not run, and what could not be
# installed. The status is 0 when every test that could run passed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh all
mapfile -t missing < <(bash scripts/install-deps.sh --missing all)

# Ninja builds on every core by itself; CTest runs one test at a time unless told.
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}

# The packages a workflow can't even be built without.
needs() {
  case $1 in
    windows-x64-all) echo g++-mingw-w64-x86-64-posix binutils-mingw-w64 ;;
    windows-x86-all) echo g++-mingw-w64-i686-posix binutils-mingw-w64 ;;
  esac
}

# One summary line from a workflow's output: CTest's count and failures (a
# test whose fixture failed counts as failed) and the disabled tests, which
# CTest lists as not run and leaves out of its count.
summarize() {
  local workflow=$1 log=$2
  awk -v workflow="$workflow" '
    /tests passed, [0-9]+ tests? failed out of [0-9]+/ {
      total = $NF; failed = $4; seen = 1
    }
    /^The following tests did not run:/ { section = "notrun"; next }
    /^The following tests FAILED:/ { section = "failed"; next }
    section == "notrun" && /^[ \t]+[0-9]+ - / { notrun++; names = names " " $3; next }
    section != "" && !/^[ \t]+[0-9]+ - / { section = "" }
    END {
      if (!seen) { print workflow ": no tests ran (the configure or the build failed)"; exit }
      printf "%s: %d passed, %d failed, %d not run%s\n", workflow,
             total - failed, failed, notrun, (notrun ? " (" substr(names, 2) ")" : "")
    }' "$log"
}

status=0
summary=()
mkdir -p out
for workflow in linux-all linux-sanitize windows-x64-all windows-x86-all; do
  lacking=()
  for package in $(needs "$workflow"); do
    if [[ " ${missing[*]} " == *" $package "* ]]; then
      lacking+=("$package")
    fi
  done
  if (( ${#lacking[@]} > 0 )); then
    summary+=("${workflow}: not run, for want of ${lacking[*]}")
    continue
  fi
  echo "=== workflow ${workflow}"
  rm -rf "out/${workflow}"
  if ! cmake --workflow --preset "${workflow}" 2>&1 | tee "out/${workflow}.log"; then
    echo "=== workflow ${workflow} FAILED"
    status=1
  fi
  summary+=("$(summarize "${workflow}" "out/${workflow}.log")")
done

echo
echo "=== summary"
printf '%s\n' "${summary[@]}"
for package in "${missing[@]}"; do
  echo "NOT INSTALLED: ${package}; the tests that need it did not run (listed above as not run)."
done
exit "${status}"
