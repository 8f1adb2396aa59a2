# The platform layer, one library per concern; core_platform.h and
# console_platform.h declare what the core and the console take from it.
if(WIN32)
  set(platform_dir platform/win32)
else()
  set(platform_dir platform/posix)
endif()
set(TEMBRIX_PLATFORM_CONCERNS counter threads priority files interrupts console_input)
set(TEMBRIX_PLATFORM_counter ${platform_dir}/counter.cpp)
set(TEMBRIX_PLATFORM_threads ${platform_dir}/threads.cpp)
set(TEMBRIX_PLATFORM_priority ${platform_dir}/priority.cpp)
set(TEMBRIX_PLATFORM_files ${platform_dir}/files.cpp ${platform_dir}/log_file.cpp
    ${platform_dir}/standard_descriptors.cpp)
set(TEMBRIX_PLATFORM_interrupts ${platform_dir}/interrupts.cpp)
set(TEMBRIX_PLATFORM_console_input ${platform_dir}/console_input.cpp)
set(TEMBRIX_PLATFORM_fpu_x87 ${platform_dir}/x87_precision.cpp)
set(TEMBRIX_PLATFORM_fpu_none platform/portable/no_x87.cpp)
