#!/bin/sh
# Runs a cross-built Windows program under Wine, in a prefix of the build tree.
#
#   run-under-wine.sh --prefix=DIR [--win64] PROGRAM.exe [ARGUMENT...]   run it; its status is ours
#   run-under-wine.sh --prefix=DIR [--win64] --setup                     make DIR a fresh prefix
#   run-under-wine.sh --prefix=DIR [--win64] --shutdown                  stop the prefix's wineserver
#
# --win64: the programs are 64-bit; they start through Wine's 64-bit loader
# itself rather than through the 32-bit one, which only hands them on to it (and
# which on some machines runs under an emulator, taking a minute per start).
#
# Wine's first start in a new prefix takes 10-20 s, so the tests make the prefix
# once per run (--setup) and keep one wineserver alive until --shutdown, or until
# nothing has run in the prefix for a minute (so a run that never reaches
# --shutdown leaves no server behind for long). A program started while no server
# runs would start one inside its own process group, and a test that kills its
# group on a time-out would take the other tests' server along.
set -eu

prefix=
case "${1-}" in
--prefix=*)
    prefix=${1#--prefix=}
    shift
    ;;
esac
loader=wine
if [ "${1-}" = --win64 ]; then
    shift
    loader=/usr/lib/wine/wine64
    [ -x "$loader" ] || loader=wine64
    WINELOADER=$loader
    export WINELOADER
fi
if [ -z "$prefix" ] || [ $# -eq 0 ]; then
    echo "usage: $0 --prefix=DIR [--win64] (PROGRAM.exe [ARGUMENT...] | --setup | --shutdown)" >&2
    exit 2
fi

WINEPREFIX=$prefix
WINEDEBUG=-all
# No Mono or Gecko installer on first start: console programs need neither.
WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
# Wine would otherwise try to open windows for its dialogs.
unset DISPLAY WAYLAND_DISPLAY

case "$1" in
--setup)
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # Wine's helper processes outlive this script: none of them may hold on to
    # the caller's output (CTest waits for it to close).
    wineserver -p60 </dev/null >/dev/null 2>&1
    "$loader" wineboot -i </dev/null >"$prefix/setup.log" 2>&1
    # The drive of the disk tests' "C:\..." paths.
    test -d "$prefix/drive_c" || { echo "$0: no drive_c in $prefix" >&2; exit 1; }
    echo "Wine prefix ready: $prefix ($(wine --version))"
    ;;
--shutdown)
    if [ -d "$prefix" ]; then
        wineserver -k 2>/dev/null || true
    fi
    ;;
*)
    exec "$loader" "$@"
    ;;
esac
