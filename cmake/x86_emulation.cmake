# Where the kernel runs no 32-bit x86 programs, scripts/install-deps.sh has
# qemu's user-mode emulator run them (the binfmt_misc entry qemu-i386). Some
# things can't be tested that way; this tells the build where that is so.
set(TEMBRIX_X86_EMULATED OFF)
if(EXISTS /proc/sys/fs/binfmt_misc/qemu-i386)
  file(STRINGS /proc/sys/fs/binfmt_misc/qemu-i386 tembrix_binfmt_state LIMIT_COUNT 1)
  if(tembrix_binfmt_state STREQUAL "enabled")
    set(TEMBRIX_X86_EMULATED ON)
    message(STATUS "32-bit x86 programs run here under qemu's emulator")
  endif()
endif()
