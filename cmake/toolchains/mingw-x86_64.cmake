# Cross build for 64-bit Windows with MinGW-w64 (posix threading model);
# programs built here run under Wine through tests/wine/run-under-wine.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TEMBRIX_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
