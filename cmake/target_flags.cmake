# Flags of a target width (x86-64 or x86) that every object built for it
# shares, whatever the flavor: the width itself, static linking on Windows,
# the sanitizers and threads. Each flavor adds its floating-point options on
# top (cmake/flavor.cmake); GoogleTest is built once per width with these alone.
function(tembrix_target_flags target)
  if(TARGET flags_${target})
    return()
  endif()
  add_library(flags_${target} INTERFACE)
  target_include_directories(flags_${target} INTERFACE ${PROJECT_SOURCE_DIR})
  if(NOT WIN32)
    if(target STREQUAL "x86")
      target_compile_options(flags_${target} INTERFACE -m32)
      target_link_options(flags_${target} INTERFACE -m32)
    else()
      target_compile_options(flags_${target} INTERFACE -m64)
      target_link_options(flags_${target} INTERFACE -m64)
    endif()
  else()
    target_link_options(flags_${target} INTERFACE -static -static-libgcc -static-libstdc++)
  endif()
  if(TEMBRIX_SANITIZE)
    # AddressSanitizer's 32-bit runtime hangs at start under qemu's emulator;
    # there the x86 flavors are checked for undefined behaviour only.
    set(sanitizers address,undefined)
    if(target STREQUAL "x86" AND TEMBRIX_X86_EMULATED)
      set(sanitizers undefined)
      message(STATUS "x86: UndefinedBehaviorSanitizer only (x86 runs under emulation)")
    endif()
    target_compile_options(flags_${target} INTERFACE
        -fsanitize=${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(flags_${target} INTERFACE -fsanitize=${sanitizers})
  endif()
  target_link_libraries(flags_${target} INTERFACE Threads::Threads)
endfunction()
