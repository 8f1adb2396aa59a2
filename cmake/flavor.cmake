# Makes the libraries, the program and the tests of one flavor from its
# definition in build/flavors/<name>.cmake.

# The workloads are compiled to assembly, padded so that the head of every
# loop is on a 64-byte boundary, and assembled (cmake/loop_heads/).
include(${CMAKE_CURRENT_LIST_DIR}/loop_heads/aligned_workloads.cmake)

function(tembrix_flavor_fits_toolchain target result)
  # Linux builds both widths with -m64/-m32; a MinGW toolchain makes one.
  if(NOT WIN32)
    set(${result} TRUE PARENT_SCOPE)
  elseif(target STREQUAL "x86-64" AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(${result} TRUE PARENT_SCOPE)
  elseif(target STREQUAL "x86" AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Adds a static library of the flavor with its flags.
function(tembrix_flavor_library flavor name)
  add_library(${name}_${flavor} STATIC ${ARGN})
  target_link_libraries(${name}_${flavor} PUBLIC flags_${flavor})
endfunction()

function(tembrix_add_flavor flavor)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "DELIVERABLE" "" "")
  set(definition ${PROJECT_SOURCE_DIR}/build/flavors/${flavor}.cmake)
  if(NOT EXISTS ${definition})
    message(FATAL_ERROR "No flavor definition ${definition}")
  endif()
  include(${definition})
  tembrix_flavor_fits_toolchain(${FLAVOR_TARGET} fits)
  if(NOT fits)
    return()
  endif()

  # Flags every object of the flavor is built with. The flavor's options set
  # its floating-point code; -march also sets the tuning, which would give the
  # integer workloads of each flavor other code (pentium4 tuning writes a left
  # shift as additions), so every flavor is tuned alike: the flavors of one
  # target differ in their floating-point code only. The floating-point
  # workload alone keeps the tuning of the flavor's -march, so that its loop
  # is that processor's code (pentium tuning tests the status word with test,
  # generic tuning with sahf).
  add_library(flags_${flavor} INTERFACE)
  target_include_directories(flags_${flavor} INTERFACE ${PROJECT_SOURCE_DIR})
  target_compile_options(flags_${flavor} INTERFACE
      -Wall -Wextra ${FLAVOR_FP_OPTIONS} -mtune=generic)
  if(NOT WIN32)
    if(FLAVOR_TARGET STREQUAL "x86")
      target_compile_options(flags_${flavor} INTERFACE -m32)
      target_link_options(flags_${flavor} INTERFACE -m32)
    else()
      target_compile_options(flags_${flavor} INTERFACE -m64)
      target_link_options(flags_${flavor} INTERFACE -m64)
    endif()
  else()
    target_link_options(flags_${flavor} INTERFACE -static -static-libgcc -static-libstdc++)
  endif()
  if(TEMBRIX_SANITIZE)
    # AddressSanitizer's 32-bit runtime hangs at start under qemu's emulator;
    # there the x86 flavors are checked for undefined behaviour only.
    set(sanitizers address,undefined)
    if(FLAVOR_TARGET STREQUAL "x86" AND TEMBRIX_X86_EMULATED)
      set(sanitizers undefined)
      message(STATUS "${flavor}: UndefinedBehaviorSanitizer only (x86 runs under emulation)")
    endif()
    target_compile_options(flags_${flavor} INTERFACE
        -fsanitize=${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(flags_${flavor} INTERFACE -fsanitize=${sanitizers})
  endif()
  target_link_libraries(flags_${flavor} INTERFACE Threads::Threads)

  # The measured loops: never optimised, never link-time optimised, each loop
  # head on a 64-byte boundary.
  set(float_tuning)
  if(FLAVOR_FP_OPTIONS MATCHES "-march=([^;]+)")
    set(float_tuning -mtune=${CMAKE_MATCH_1})
  endif()
  tembrix_aligned_workloads(${flavor} FLOAT_WORKLOAD_OPTIONS ${float_tuning})

  tembrix_flavor_library(${flavor} core ${TEMBRIX_CORE_SOURCES})

  # One library per platform concern, so tests can stand in for one of them.
  foreach(concern IN LISTS TEMBRIX_PLATFORM_CONCERNS)
    tembrix_flavor_library(${flavor} platform_${concern} ${TEMBRIX_PLATFORM_${concern}})
  endforeach()
  # An object library: the x87 precision is set by a static constructor that
  # nothing references, so it must be linked whole.
  if(FLAVOR_X87)
    add_library(platform_fpu_${flavor} OBJECT ${TEMBRIX_PLATFORM_fpu_x87})
  else()
    add_library(platform_fpu_${flavor} OBJECT ${TEMBRIX_PLATFORM_fpu_none})
  endif()
  target_link_libraries(platform_fpu_${flavor} PUBLIC flags_${flavor})
  set(platform_libraries platform_fpu_${flavor})
  foreach(concern IN LISTS TEMBRIX_PLATFORM_CONCERNS)
    list(APPEND platform_libraries platform_${concern}_${flavor})
  endforeach()
  # Visible to the test functions, which call this function's scope's children.
  set(TEMBRIX_PLATFORM_LIBRARIES ${platform_libraries})

  tembrix_flavor_library(${flavor} console ${TEMBRIX_CONSOLE_SOURCES})
  tembrix_flavor_library(${flavor} flavor_labels console/build_flavor.cpp)
  target_compile_definitions(flavor_labels_${flavor} PRIVATE
      "TEMBRIX_BUILD_BITS=\"${FLAVOR_BITS}\""
      "TEMBRIX_BUILD_COMPILER=\"${FLAVOR_COMPILER}\""
      "TEMBRIX_BUILD_FLAVOR=\"${FLAVOR_LABEL}\""
      "TEMBRIX_EXPECTED_WIDTH=${FLAVOR_EXPECTED_WIDTH}")

  add_executable(${flavor} ${TEMBRIX_MAIN_SOURCE})
  target_link_libraries(${flavor} PRIVATE
      console_${flavor} flavor_labels_${flavor} core_${flavor} workloads_${flavor}
      ${platform_libraries})

  if(TEMBRIX_TESTS)
    tembrix_add_flavor_tests(${flavor})
  endif()
endfunction()
