#!/usr/bin/env bash
# Installs what a Debian 12 machine lacks for building and testing, and
# nothing when everything is there (then it needs no root, no network).
#   install-deps.sh native   compiler, CMake (3.25 or newer), Ninja: enough to build and run
#   install-deps.sh all      also the x86 multilib, MinGW-w64, Wine and Python
set -euo pipefail

what=${1:-all}
missing=()  # Debian packages to install

cmake_recent() {
  local version major minor
  version=$(cmake --version 2>/dev/null | sed -n '1s/^cmake version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
  read -r major minor <<<"${version:-0 0}"
  (( major > 3 || (major == 3 && minor >= 25) ))
}

# The three build tools, found by command (they may come from anywhere).
command -v g++ >/dev/null || missing+=(g++)
cmake_recent || missing+=(cmake)
command -v ninja >/dev/null || missing+=(ninja-build)

# The rest only as Debian packages.
if [[ $what == all ]]; then
  add_i386=false
  if ! dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386; then
    add_i386=true
  fi
  for package in g++-multilib googletest python3 \
                 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 \
                 wine wine64 wine32:i386; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [[ $status == installed ]] || missing+=("$package")
  done
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi

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
  if [[ $what == all ]] && $add_i386; then
    "${sudo[@]}" dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update
  "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
  if ! cmake_recent; then
    echo "The cmake found is older than 3.25, which the build needs: $(command -v cmake)" >&2
    exit 1
  fi
fi

# Some machines' kernels run no 32-bit x86 programs (the x86 builds and Wine's
# 32-bit loader need them). There they run under qemu's user-mode emulator,
# registered with binfmt_misc; the P flag keeps the name a program was started
# with, which the usage text shows.
run_x86_probe() {
  local dir status
  dir=$(mktemp -d)
  printf 'int main(void) { return 0; }\n' | gcc -m32 -x c - -o "$dir/probe"
  status=0
  "$dir/probe" 2>/dev/null || status=$?
  rm -rf "$dir"
  return "$status"
}

if [[ $what == all ]] && ! run_x86_probe; then
  echo "This kernel runs no 32-bit x86 programs: running them under qemu-i386."
  "${sudo[@]}" apt-get install -y --no-install-recommends qemu-user
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
