#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing.
#   install-deps.sh native   compiler, CMake, Ninja (enough to build and run)
#   install-deps.sh all      also the x86 multilib, MinGW-w64, Wine and Python
set -euo pipefail

what=${1:-all}
packages=(g++ cmake ninja-build)
if [[ $what == all ]]; then
  packages+=(g++-multilib googletest python3
             g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
             wine wine64 wine32:i386)
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi

if [[ $what == all ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${packages[@]}"

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
