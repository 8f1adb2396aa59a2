# Tests of every flavor: GoogleTest built from the machine's sources with the
# flavor's own flags (so the x86 flavors test their own 32-bit arithmetic),
# unit tests with stand-ins linked in place of single platform concerns, and
# end-to-end tests of the built deliverables and a check of their measured
# loops in the disassembly.

set(TEMBRIX_GTEST_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")

include(tests/unit/core_tests.cmake)
include(tests/unit/console_tests.cmake)
include(tests/e2e/e2e_tests.cmake)
include(tests/disassembly/disassembly_tests.cmake)
include(tests/wine/wine_tests.cmake)

# Adds a GoogleTest program of the flavor and registers it with CTest.
# Usage: tembrix_unit_test(flavor name SOURCES ... LIBRARIES ...)
function(tembrix_unit_test flavor name)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "SOURCES;LIBRARIES")
  set(target ${name}_${flavor})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} gtest_${flavor})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${flavor}.${name} COMMAND ${target})
  set_tests_properties(${flavor}.${name} PROPERTIES LABELS "unit;${flavor}" TIMEOUT 600)
endfunction()

function(tembrix_add_flavor_tests flavor)
  if(NOT TARGET gtest_${flavor})
    add_library(gtest_${flavor} STATIC
        ${TEMBRIX_GTEST_DIR}/src/gtest-all.cc ${TEMBRIX_GTEST_DIR}/src/gtest_main.cc)
    target_include_directories(gtest_${flavor} SYSTEM PUBLIC
        ${TEMBRIX_GTEST_DIR}/include ${TEMBRIX_GTEST_DIR})
    target_link_libraries(gtest_${flavor} PUBLIC flags_${flavor})
    target_compile_options(gtest_${flavor} PRIVATE -w)
  endif()
  if(flavor STREQUAL "tembrix-mismatch-x64")
    tembrix_e2e_tests(${flavor})
    return()
  endif()
  tembrix_core_tests(${flavor})
  tembrix_console_tests(${flavor})
  tembrix_e2e_tests(${flavor})
  tembrix_disassembly_tests(${flavor})
  tembrix_win32_tests(${flavor})
endfunction()
