# End-to-end tests of a built deliverable: the Python unittest files of this
# directory, run against it through harness.py. Per flavor F, F.e2e runs the
# fast tests (no timed test runs); the flavors in TEMBRIX_REAL_RUN_FLAVORS also
# get F.e2e-real, which runs real timed tests one at a time.

# The host's Python, also when cross-building for Windows.
find_program(TEMBRIX_PYTHON3 NAMES python3 python NO_CMAKE_FIND_ROOT_PATH)

function(tembrix_e2e_add flavor name mode pattern)
  add_test(NAME ${flavor}.${name}
      COMMAND ${TEMBRIX_PYTHON3} -B -m unittest discover
          -s ${PROJECT_SOURCE_DIR}/tests/e2e -p ${pattern} -v
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(FLAVOR_TARGET STREQUAL "x86-64")
    set(target_width 64)
  else()
    set(target_width 32)
  endif()
  if(WIN32)
    set(line_end "\\r\\n")  # text mode; the harness reads the escapes
  else()
    set(line_end "\\n")
  endif()
  string(JOIN " " runner ${CMAKE_CROSSCOMPILING_EMULATOR})
  set(environment
      "TEMBRIX_EXE=$<TARGET_FILE:${flavor}>"
      "TEMBRIX_RUNNER=${runner}"
      "TEMBRIX_DELIVERABLE=${flavor}"
      "TEMBRIX_BITS=${FLAVOR_BITS}"
      "TEMBRIX_COMPILER=${FLAVOR_COMPILER}"
      "TEMBRIX_FLAVOR=${FLAVOR_LABEL}"
      "TEMBRIX_EXPECTED_WIDTH=${FLAVOR_EXPECTED_WIDTH}"
      "TEMBRIX_TARGET_WIDTH=${target_width}"
      "TEMBRIX_LINE_END=${line_end}"
      "TEMBRIX_E2E_MODE=${mode}")
  set_tests_properties(${flavor}.${name} PROPERTIES
      LABELS "e2e;${flavor}" ENVIRONMENT "${environment}")
  tembrix_runs_under_wine(${flavor}.${name})
endfunction()

function(tembrix_e2e_tests flavor)
  if(NOT TEMBRIX_PYTHON3)
    tembrix_not_run(${flavor}.e2e "the end-to-end tests need Python 3 (package python3)")
    return()
  endif()
  tembrix_e2e_add(${flavor} e2e fast "test_*.py")
  set_tests_properties(${flavor}.e2e PROPERTIES TIMEOUT 600)
  if(flavor IN_LIST TEMBRIX_REAL_RUN_FLAVORS)
    tembrix_e2e_add(${flavor} e2e-real real "test_*.py")
    # Real runs raise the priority to realtime and load the machine: never two at once.
    set_tests_properties(${flavor}.e2e-real PROPERTIES
        TIMEOUT 1800 RESOURCE_LOCK realtime)
  endif()
endfunction()
