#!/usr/bin/env bash
# Installs what a Debian 12 machine lacks for building and testing, and
# nothing when everything is there (then it needs no root, no network).
#   install-deps.sh native            compiler, CMake (3.25 or newer), Ninja: enough to build and run
#   install-deps.sh all               also the x86 multilib, GoogleTest, MinGW-w64, Wine and Python
#   install-deps.sh --missing native|all
#                                     prints what is still missing, one name a line; installs nothing
# A mirror in the middle of a sync can serve a broken package index for one
# architecture. So a failed index update is retried and then only warned
# about; an install that can't be resolved is retried from the release's own
# suite (both architectures from one suite), then package by package. Only a
# missing compiler, CMake or Ninja ends this with status 1: without one of
# the others the tests that need it don't run, and test-all.sh says which.
set -euo pipefail

list_only=false
if [[ ${1-} == --missing ]]; then
  list_only=true
  shift
fi
what=${1:-all}

cmake_recent() {
  local version major minor
  version=$(cmake --version 2>/dev/null | sed -n '1s/^cmake version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
  read -r major minor <<<"${version:-0 0}"
  (( major > 3 || (major == 3 && minor >= 25) ))
}

# The packages of what=all beyond the build tools, as Debian packages.
test_packages=(g++-multilib googletest python3
               g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
               wine wine64 wine32:i386)

# Prints the missing packages, one a line: the build tools by command (they
# may come from anywhere), the rest as Debian packages.
missing_packages() {
  command -v g++ >/dev/null || echo g++
  cmake_recent || echo cmake
  command -v ninja >/dev/null || echo ninja-build
  if [[ $what == all ]]; then
    local package status
    for package in "${test_packages[@]}"; do
      status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
      [[ $status == installed ]] || echo "$package"
    done
  fi
}

# What can't be done without a package (the build tools are not optional).
needed_for() {
  case $1 in
    g++-multilib) echo "the Linux x86 builds and their tests" ;;
    googletest) echo "the unit tests" ;;
    python3) echo "the end-to-end tests and the loop checks" ;;
    g++-mingw-w64-x86-64-posix) echo "the workflow windows-x64-all" ;;
    g++-mingw-w64-i686-posix) echo "the workflow windows-x86-all" ;;
    binutils-mingw-w64) echo "the workflows windows-x64-all and windows-x86-all" ;;
    wine | wine64) echo "every test that runs a Windows program under Wine" ;;
    wine32:i386) echo "the tests that run the 32-bit Windows programs under Wine" ;;
  esac
}

mapfile -t missing < <(missing_packages)
if $list_only; then
  (( ${#missing[@]} == 0 )) || printf '%s\n' "${missing[@]}"
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi

apt_get() {
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "$@"
}

# Fetches the package indexes; a failure after two retries is a warning, since
# the indexes that did arrive may be all that is needed.
update_indexes() {
  local attempt
  for attempt in 1 2 3; do
    if apt_get update; then
      return
    fi
    echo "install-deps: apt-get update failed (attempt $attempt of 3)." >&2
  done
  echo "install-deps: WARNING: going on with the package indexes that could be fetched." >&2
}

# Installs the packages together; when that can't be resolved (e.g. a library
# whose update is indexed for one architecture only), from the release's own
# suite for both architectures.
install_packages() {
  local suite
  apt_get install -y --no-install-recommends "$@" && return
  suite=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME-}")
  [[ -n $suite ]] || return 1
  echo "install-deps: retrying with the packages of the suite $suite only." >&2
  apt_get install -y --no-install-recommends -t "$suite" "$@"
}

if (( ${#missing[@]} > 0 )); then
  cause=""
  if ! command -v apt-get >/dev/null; then
    cause="no apt-get here"
  elif (( ${#sudo[@]} > 0 )) && ! command -v sudo >/dev/null; then
    cause="not root, and no sudo"
  fi
  if [[ -n $cause ]]; then
    names=${missing[*]}
    echo "Can't install the missing ${names/cmake/cmake (3.25 or newer)}: $cause." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}" >&2
  if [[ $what == all ]] && ! dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
  fi
  update_indexes
  if ! install_packages "${missing[@]}"; then
    echo "install-deps: installing them together failed; now one at a time." >&2
    for package in "${missing[@]}"; do
      install_packages "$package" || true
    done
  fi
  mapfile -t missing < <(missing_packages)
  for tool in g++ cmake ninja-build; do
    if [[ " ${missing[*]} " == *" $tool "* ]]; then
      echo "Can't install ${tool/cmake/cmake (3.25 or newer)}, which the build needs." >&2
      exit 1
    fi
  done
  for package in "${missing[@]}"; do
    echo "NOT INSTALLED: $package. Not run without it: $(needed_for "$package")." >&2
  done
fi

# Some machines' kernels run no 32-bit x86 programs (the x86 builds and Wine's
# 32-bit loader need them). There they run under qemu's user-mode emulator,
# registered with binfmt_misc; the P flag keeps the name a program was started
# with, which the usage text shows.
run_x86_probe() {
  local dir status
  dir=$(mktemp -d)
  status=0
  printf 'int main(void) { return 0; }\n' | gcc -m32 -x c - -o "$dir/probe" 2>/dev/null &&
    "$dir/probe" 2>/dev/null || status=$?
  rm -rf "$dir"
  return "$status"
}

if [[ $what == all ]] && [[ " ${missing[*]} " != *" g++-multilib "* ]] && ! run_x86_probe; then
  echo "This kernel runs no 32-bit x86 programs: running them under qemu-i386."
  apt_get install -y --no-install-recommends qemu-user
  binfmt=/proc/sys/fs/binfmt_misc
  if [[ ! -e $binfmt/register ]]; then
    "${sudo[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
  fi
  if [[ ! -e $binfmt/qemu-i386 ]]; then
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:PF" | "${sudo[@]}" tee "$binfmt/register" >/dev/null
  fi
  run_x86_probe
fi
