# Shared part of the MinGW-w64 toolchains; TEMBRIX_MINGW_TRIPLE names the target.
# The -posix compilers: their libstdc++ has std::thread, which GoogleTest uses.
set(CMAKE_C_COMPILER ${TEMBRIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TEMBRIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TEMBRIX_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TEMBRIX_MINGW_TRIPLE}-ar CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${TEMBRIX_MINGW_TRIPLE}-ranlib CACHE FILEPATH "Ranlib")
set(CMAKE_OBJDUMP ${TEMBRIX_MINGW_TRIPLE}-objdump CACHE FILEPATH "Objdump of the target")

# Libraries and headers of the target only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TEMBRIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs every cross-built program through Wine, in a prefix of this build
# tree that the test fixture wine-prefix-setup makes (tests/wine/wine_tests.cmake).
get_filename_component(TEMBRIX_WINE_WRAPPER
    ${CMAKE_CURRENT_LIST_DIR}/../../tests/wine/run-under-wine.sh ABSOLUTE)
set(TEMBRIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TEMBRIX_WINE_WRAPPER} --prefix=${TEMBRIX_WINE_PREFIX})
if(TEMBRIX_MINGW_TRIPLE MATCHES "^x86_64-")
  list(APPEND CMAKE_CROSSCOMPILING_EMULATOR --win64)
endif()
