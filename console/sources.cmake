# The test console's sources and the program's entry.
set(TEMBRIX_CONSOLE_SOURCES
    console/settings.cpp
    console/number_format.cpp
    console/record_checksum.cpp
    console/log_file.cpp
    console/console_output.cpp
    console/command_line.cpp
    console/self_check.cpp
    console/program.cpp
    console/batch_and_menu.cpp
    console/measurements/cpu_speed.cpp
    console/measurements/memory_speed.cpp
    console/measurements/passes.cpp
    console/measurements/block_sizes.cpp
    console/measurements/disk_speed.cpp
    console/measurements/timed_run.cpp
    console/measurements/priority_steps.cpp
    console/measurements/warnings.cpp)
set(TEMBRIX_MAIN_SOURCE console/main.cpp)
