set(TEMBRIX_CONSOLE_SOURCES
    console/settings.cpp
    console/number_format.cpp
    console/record_checksum.cpp
    console/log_file.cpp
    console/console_output.cpp
    console/command_line.cpp
    console/self_check.cpp
    console/program.cpp
    console/test_run.cpp
    console/cpu_test.cpp
    console/memory_test.cpp
    console/disk_test.cpp
    console/timed_run.cpp
    console/test_priority.cpp
    console/test_warnings.cpp)
set(TEMBRIX_MAIN_SOURCE console/main.cpp)
