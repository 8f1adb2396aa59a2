# Tests of every flavor: unit tests built with the flavor's own flags (so the
# x86 flavors test their own 32-bit arithmetic) and linked with stand-ins in
# place of single platform concerns, end-to-end tests of the built
# deliverables and a check of their measured loops in the disassembly.
# GoogleTest itself is built from the machine's sources once per target width
# (gtest_x86-64, gtest_x86), with that width's flags alone: it does none of the
# arithmetic under test. The mismatched-width fixture: tests/mismatch/.

include(tests/unit/core_tests.cmake)
include(tests/unit/platform_tests.cmake)
include(tests/unit/console_tests.cmake)
include(tests/e2e/e2e_tests.cmake)
include(tests/disassembly/disassembly_tests.cmake)
include(tests/wine/wine_tests.cmake)
include(tests/mismatch/mismatch_tests.cmake)

# The set-up script against a half-synced package mirror (stand-ins for apt).
if(NOT WIN32 AND NOT TEMBRIX_SANITIZE)
  add_test(NAME setup.install-deps COMMAND bash ${PROJECT_SOURCE_DIR}/tests/setup/test_install_deps.sh)
  set_tests_properties(setup.install-deps PROPERTIES LABELS "setup" TIMEOUT 60)
endif()

# Adds a GoogleTest program of the flavor and registers it with CTest.
# Usage: tembrix_unit_test(flavor name SOURCES ... LIBRARIES ...)
function(tembrix_unit_test flavor name)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "SOURCES;LIBRARIES")
  set(target ${name}_${flavor})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} gtest_${FLAVOR_TARGET})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${flavor}.${name} COMMAND ${target})
  set_tests_properties(${flavor}.${name} PROPERTIES LABELS "unit;${flavor}" TIMEOUT 600)
  tembrix_runs_under_wine(${flavor}.${name})
endfunction()

function(tembrix_add_flavor_tests flavor)
  tembrix_e2e_tests(${flavor})
  tembrix_disassembly_tests(${flavor})
  tembrix_win32_programs(${flavor})
  if(NOT TEMBRIX_HAVE_GTEST)
    tembrix_not_run(${flavor}.unit "the unit tests need GoogleTest's sources (package googletest)")
    return()
  endif()
  set(gtest gtest_${FLAVOR_TARGET})
  if(NOT TARGET ${gtest})
    add_library(${gtest} STATIC
        ${TEMBRIX_GTEST_DIR}/src/gtest-all.cc ${TEMBRIX_GTEST_DIR}/src/gtest_main.cc)
    target_include_directories(${gtest} SYSTEM PUBLIC
        ${TEMBRIX_GTEST_DIR}/include ${TEMBRIX_GTEST_DIR})
    target_link_libraries(${gtest} PUBLIC flags_${FLAVOR_TARGET})
    target_compile_options(${gtest} PRIVATE -w)
  endif()
  tembrix_core_tests(${flavor})
  tembrix_platform_tests(${flavor})
  tembrix_console_tests(${flavor})
  tembrix_win32_unit_tests(${flavor})
endfunction()
