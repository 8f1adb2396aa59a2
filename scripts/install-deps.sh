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
