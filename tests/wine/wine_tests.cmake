# The Windows leg of the tests: the Wine prefix that every cross-built program
# runs in, the import check of each deliverable and the tests of the Win32
# platform layer. Included by tests/tests.cmake; does nothing outside a
# Windows cross build.

# Whether Wine runs the programs here. Where 32-bit x86 code runs only under
# emulation (cmake/x86_emulation.cmake), Wine's 32-bit side takes about a
# minute to start each program, far beyond what these tests can wait; where a
# Wine package is missing (cmake/prerequisites.cmake) nothing can start. The
# programs are then still built and their imports and loops checked. Wine
# runs them exactly when there is no reason not to.
set(TEMBRIX_WINE_NOT_RUN_REASON "")
if(WIN32 AND TEMBRIX_WINE_MISSING)
  set(TEMBRIX_WINE_NOT_RUN_REASON
      "the Windows programs are built and checked, not run: ${TEMBRIX_WINE_MISSING}")
elseif(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND TEMBRIX_X86_EMULATED)
  set(TEMBRIX_WINE_NOT_RUN_REASON
      "the 32-bit Windows programs are built and checked, not run: x86 code runs only under emulation here")
endif()

if(WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR AND NOT TEMBRIX_WINE_NOT_RUN_REASON)
  # A fresh prefix once per test run: Wine's first start is paid here, not by
  # the first tests (and their time-outs).
  add_test(NAME wine-prefix-setup COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --setup)
  set_tests_properties(wine-prefix-setup PROPERTIES
      FIXTURES_SETUP wine_prefix LABELS "wine" TIMEOUT 300 RESOURCE_LOCK wine_prefix_owner)
  add_test(NAME wine-prefix-shutdown COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --shutdown)
  set_tests_properties(wine-prefix-shutdown PROPERTIES
      FIXTURES_CLEANUP wine_prefix LABELS "wine" TIMEOUT 60 RESOURCE_LOCK wine_prefix_owner)
endif()

# Called by whatever adds a test that starts a built program: in a Windows
# cross build that program runs under Wine, so the test needs the prefix, or
# is disabled where Wine can't run it.
function(tembrix_runs_under_wine test)
  if(NOT WIN32)
    return()
  endif()
  if(NOT TEMBRIX_WINE_NOT_RUN_REASON)
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
  else()
    set_property(TEST ${test} PROPERTY DISABLED TRUE)
    tembrix_note_not_run("${TEMBRIX_WINE_NOT_RUN_REASON}")
  endif()
endfunction()

# The import check of a Windows deliverable and the helper programs that its
# end-to-end tests start.
function(tembrix_win32_programs flavor)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(kind ${flavor} TYPE)
  if(kind STREQUAL "EXECUTABLE")
    add_test(NAME ${flavor}.imports
        COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${flavor}>
                -P ${PROJECT_SOURCE_DIR}/tests/wine/check_imports.cmake)
    set_tests_properties(${flavor}.imports PROPERTIES LABELS "imports;${flavor}" TIMEOUT 60)
  endif()

  set(dir ${PROJECT_SOURCE_DIR}/tests/unit/win32)
  add_executable(file_holder_${flavor} ${dir}/file_holder.cpp)
  target_link_libraries(file_holder_${flavor} PRIVATE flags_${flavor})
  # The end-to-end tests start it; built with the deliverable.
  add_dependencies(${flavor} file_holder_${flavor})
  add_executable(log_share_reader_${flavor} ${dir}/log_share_reader.cpp)
  target_link_libraries(log_share_reader_${flavor} PRIVATE flags_${flavor})
endfunction()

# The unit tests of the Win32 platform layer.
function(tembrix_win32_unit_tests flavor)
  if(NOT WIN32)
    return()
  endif()
  set(dir ${PROJECT_SOURCE_DIR}/tests/unit/win32)
  tembrix_unit_test(${flavor} win32_counter_threads_test
      SOURCES ${dir}/counter_threads_test.cpp
      LIBRARIES core_${flavor} ${TEMBRIX_PLATFORM_LIBRARIES})
  if(FLAVOR_X87)
    target_compile_definitions(win32_counter_threads_test_${flavor} PRIVATE TEMBRIX_TEST_X87)
  endif()

  tembrix_unit_test(${flavor} win32_priority_test
      SOURCES ${dir}/priority_test.cpp
      LIBRARIES core_${flavor} ${TEMBRIX_PLATFORM_LIBRARIES})

  tembrix_unit_test(${flavor} win32_files_test
      SOURCES ${dir}/files_test.cpp
      LIBRARIES platform_files_${flavor} platform_console_input_${flavor})
  target_compile_definitions(win32_files_test_${flavor} PRIVATE
      "TEMBRIX_LOG_SHARE_READER=\"$<TARGET_FILE:log_share_reader_${flavor}>\"")
  add_dependencies(win32_files_test_${flavor} log_share_reader_${flavor})

  add_executable(interrupted_child_${flavor} ${dir}/interrupted_child.cpp)
  target_link_libraries(interrupted_child_${flavor} PRIVATE ${TEMBRIX_PLATFORM_LIBRARIES})
  tembrix_unit_test(${flavor} win32_interrupts_test
      SOURCES ${dir}/interrupts_test.cpp
      LIBRARIES platform_files_${flavor})
  target_compile_definitions(win32_interrupts_test_${flavor} PRIVATE
      "TEMBRIX_INTERRUPTED_CHILD=\"$<TARGET_FILE:interrupted_child_${flavor}>\"")
  add_dependencies(win32_interrupts_test_${flavor} interrupted_child_${flavor})
endfunction()
