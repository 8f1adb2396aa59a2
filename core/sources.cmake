# The measurement core's sources and the workloads'.
set(TEMBRIX_CORE_SOURCES
    core/timer.cpp
    core/thread_runner.cpp
    core/priority.cpp)
# Built without optimisation in every build type (see cmake/flavor.cmake).
set(TEMBRIX_WORKLOAD_SOURCES
    core/workloads/calibration_workload.cpp
    core/workloads/integer_workload.cpp
    core/workloads/float_workload.cpp
    core/workloads/bit_shift_workload.cpp
    core/workloads/math_workload.cpp
    core/workloads/memcopy_workload.cpp
    core/workloads/disk_write_workload.cpp)
set(TEMBRIX_FLOAT_WORKLOAD_SOURCE core/workloads/float_workload.cpp)
