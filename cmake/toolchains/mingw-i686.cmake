# Cross build for 32-bit Windows with MinGW-w64 (posix threading model);
# programs built here run under Wine through tests/wine/run-under-wine.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
set(TEMBRIX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
