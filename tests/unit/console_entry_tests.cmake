# Unit tests of the program entry, the log and its records, the number format
# and the self check. They link the real platform layer: nothing here is timed.
function(tembrix_console_entry_tests flavor)
  tembrix_unit_test(${flavor} console_entry
      SOURCES
        ${PROJECT_SOURCE_DIR}/tests/unit/console_entry/record_checksum_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/console_entry/number_format_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/console_entry/log_file_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/console_entry/command_line_test.cpp
        ${PROJECT_SOURCE_DIR}/tests/unit/console_entry/self_check_test.cpp
      LIBRARIES
        console_${flavor} flavor_labels_${flavor} core_${flavor} workloads_${flavor}
        ${TEMBRIX_PLATFORM_LIBRARIES})
  # The self check's count is compared with the flavor definition's width.
  target_compile_definitions(console_entry_${flavor} PRIVATE
      "TEMBRIX_EXPECTED_WIDTH=${FLAVOR_EXPECTED_WIDTH}")
endfunction()
