# platform_tests: the POSIX platform layer itself (and the core on top of it),
# with nothing stood in. The Win32 layer has its own (tests/wine/wine_tests.cmake).
function(tembrix_platform_tests flavor)
  if(WIN32)
    return()
  endif()
  set(dir ${PROJECT_SOURCE_DIR}/tests/unit/platform)
  tembrix_unit_test(${flavor} platform_tests
      SOURCES
        ${dir}/counter_test.cpp
        ${dir}/threads_test.cpp
        ${dir}/priority_test.cpp
        ${dir}/files_test.cpp
        ${dir}/interrupts_test.cpp
        ${dir}/console_input_test.cpp
        ${dir}/disk_commit_test.cpp
      LIBRARIES
        core_${flavor} workloads_${flavor} ${TEMBRIX_PLATFORM_LIBRARIES})
  # The disk commits go through tests/unit/platform/disk_commit_test.cpp.
  target_link_options(platform_tests_${flavor} PRIVATE -Wl,--wrap=fdatasync,--wrap=fsync)
  # Only where the flavor's double arithmetic is x87 code is there a precision to check.
  if(FLAVOR_X87)
    target_sources(platform_tests_${flavor} PRIVATE ${dir}/x87_precision_test.cpp)
  endif()
endfunction()
