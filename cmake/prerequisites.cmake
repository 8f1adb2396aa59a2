# What this machine lacks of the test command's packages, and the tests that
# therefore can't run here. scripts/install-deps.sh installs everything it can;
# when a package still can't be had (a mirror in the middle of a sync, say),
# the build goes on without it: the tests that need it are registered as
# disabled, and the reason is printed once the tree is configured.
include(CheckCXXSourceCompiles)

# Registers a disabled test of this name: CTest lists it as not run.
function(tembrix_not_run test reason)
  add_test(NAME ${test} COMMAND ${CMAKE_COMMAND} -E echo "${reason}")
  set_tests_properties(${test} PROPERTIES DISABLED TRUE LABELS "not-run")
  tembrix_note_not_run("${reason}")
endfunction()

# Remembers why tests did not run; printed once, at the end of the configure.
function(tembrix_note_not_run reason)
  get_property(reasons GLOBAL PROPERTY TEMBRIX_NOT_RUN_REASONS)
  if(NOT reason IN_LIST reasons)
    set_property(GLOBAL APPEND PROPERTY TEMBRIX_NOT_RUN_REASONS "${reason}")
  endif()
endfunction()

function(tembrix_report_not_run)
  get_property(reasons GLOBAL PROPERTY TEMBRIX_NOT_RUN_REASONS)
  foreach(reason IN LISTS reasons)
    message(WARNING "Tests not run here: ${reason}")
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tembrix_report_not_run)

# Linux x86 builds need the 32-bit C and C++ libraries (g++-multilib).
if(NOT WIN32)
  set(CMAKE_REQUIRED_FLAGS -m32)
  set(CMAKE_REQUIRED_LINK_OPTIONS -m32)
  set(CMAKE_REQUIRED_QUIET ON)
  check_cxx_source_compiles("#include <string>\nint main() { return std::string().size(); }"
      TEMBRIX_M32_LINKS)
  unset(CMAKE_REQUIRED_FLAGS)
  unset(CMAKE_REQUIRED_LINK_OPTIONS)
endif()

# The unit tests build GoogleTest from the machine's sources (googletest).
set(TEMBRIX_GTEST_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")
set(TEMBRIX_HAVE_GTEST OFF)
if(EXISTS ${TEMBRIX_GTEST_DIR}/src/gtest-all.cc)
  set(TEMBRIX_HAVE_GTEST ON)
endif()

# Wine runs the cross-built programs: 64-bit ones through its 64-bit loader
# (wine64), 32-bit ones through the 32-bit one (wine32:i386).
set(TEMBRIX_WINE_MISSING "")
if(WIN32)
  find_program(TEMBRIX_WINESERVER NAMES wineserver NO_CMAKE_FIND_ROOT_PATH)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    find_program(TEMBRIX_WINE_LOADER NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
    set(loader_package "wine64")
  else()
    find_program(TEMBRIX_WINE_LOADER NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
    set(loader_package "wine32:i386")
  endif()
  if(NOT TEMBRIX_WINESERVER)
    set(TEMBRIX_WINE_MISSING "no Wine (package wine)")
  elseif(NOT TEMBRIX_WINE_LOADER)
    set(TEMBRIX_WINE_MISSING "no Wine loader for these programs (package ${loader_package})")
  endif()
endif()
