# Unit tests of the measurement core and of the real platform layer.
#
# core_tests: the timer, the runner, the priority mapping and the workloads,
# with stand-ins for the counter, threads, priority and files concerns.
# platform_tests: the POSIX platform layer itself (and the core on top of it),
# with nothing stood in; the Win32 layer has its own (tests/wine/wine_tests.cmake).

# The stand-ins as libraries of the flavor, fake_<concern>_<flavor>, for any
# test program that links one in place of platform_<concern>_<flavor>.
function(tembrix_core_fakes flavor)
  foreach(concern IN ITEMS counter threads priority files)
    if(NOT TARGET fake_${concern}_${flavor})
      tembrix_flavor_library(${flavor} fake_${concern}
          ${PROJECT_SOURCE_DIR}/tests/fakes/fake_${concern}.cpp)
      target_include_directories(fake_${concern}_${flavor} PUBLIC ${PROJECT_SOURCE_DIR}/tests)
    endif()
  endforeach()
endfunction()

function(tembrix_core_tests flavor)
  tembrix_core_fakes(${flavor})
  set(dir ${PROJECT_SOURCE_DIR}/tests/unit)

  tembrix_unit_test(${flavor} core_tests
      SOURCES
        ${dir}/core/timer_test.cpp
        ${dir}/core/thread_runner_test.cpp
        ${dir}/core/priority_test.cpp
        ${dir}/core/workloads_test.cpp
        ${dir}/core/disk_write_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/fakes/counted_memcpy.cpp
      LIBRARIES
        core_${flavor} workloads_${flavor}
        fake_counter_${flavor} fake_threads_${flavor} fake_priority_${flavor} fake_files_${flavor}
        platform_console_input_${flavor} platform_fpu_${flavor})
  # The memory workload's copies go through tests/fakes/counted_memcpy.cpp.
  target_link_options(core_tests_${flavor} PRIVATE -Wl,--wrap=memcpy)

  if(WIN32)
    return()
  endif()
  tembrix_unit_test(${flavor} platform_tests
      SOURCES
        ${dir}/platform/counter_test.cpp
        ${dir}/platform/threads_test.cpp
        ${dir}/platform/priority_test.cpp
        ${dir}/platform/files_test.cpp
        ${dir}/platform/interrupts_test.cpp
        ${dir}/platform/disk_write_test.cpp
        ${dir}/platform/console_input_test.cpp
      LIBRARIES
        core_${flavor} workloads_${flavor} ${TEMBRIX_PLATFORM_LIBRARIES})
  # The disk commits go through tests/unit/platform/disk_write_test.cpp.
  target_link_options(platform_tests_${flavor} PRIVATE -Wl,--wrap=fdatasync,--wrap=fsync)
  # Only where the flavor's double arithmetic is x87 code is there a precision to check.
  if(FLAVOR_X87)
    target_sources(platform_tests_${flavor} PRIVATE ${dir}/platform/x87_precision_test.cpp)
  endif()
endfunction()
