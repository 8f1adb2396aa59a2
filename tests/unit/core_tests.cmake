# Unit tests of the measurement core: the timer, the runner, the priority
# mapping and the workloads, with stand-ins for the counter, threads, priority
# and files concerns.

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
endfunction()
