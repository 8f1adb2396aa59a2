# Unit tests of the test console: the entry's own (console_entry_tests.cmake)
# and console_tests below.
include(${CMAKE_CURRENT_LIST_DIR}/console_entry_tests.cmake)

# console_tests: the CPU, memory and disk tests, the batch run and the menu,
# with stand-ins for the counter, threads, priority and the workloads; the
# files and console input concerns are the real ones.
function(tembrix_console_tests flavor)
  tembrix_console_entry_tests(${flavor})

  tembrix_core_fakes(${flavor})
  if(NOT TARGET fake_workloads_${flavor})
    tembrix_flavor_library(${flavor} fake_workloads
        ${PROJECT_SOURCE_DIR}/tests/fakes/fake_workloads.cpp)
    target_include_directories(fake_workloads_${flavor} PUBLIC ${PROJECT_SOURCE_DIR}/tests)
  endif()
  set(dir ${PROJECT_SOURCE_DIR}/tests/unit/console)
  tembrix_unit_test(${flavor} console_tests
      SOURCES
        ${dir}/cpu_speed_test.cpp
        ${dir}/memory_speed_test.cpp
        ${dir}/cpu_and_memory_test.cpp
        ${dir}/disk_speed_test.cpp
        ${dir}/batch_and_menu_test.cpp
      LIBRARIES
        console_${flavor} flavor_labels_${flavor} core_${flavor} fake_workloads_${flavor}
        fake_counter_${flavor} fake_threads_${flavor} fake_priority_${flavor}
        platform_files_${flavor} platform_interrupts_${flavor} platform_console_input_${flavor}
        platform_fpu_${flavor})
endfunction()
