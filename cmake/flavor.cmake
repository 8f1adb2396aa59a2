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

# Adds the library of the labels a program prints (FLAVOR_BITS, _COMPILER,
# _LABEL) and the pointer width its self check expects (FLAVOR_EXPECTED_WIDTH).
function(tembrix_flavor_labels library flags)
  add_library(${library} STATIC ${PROJECT_SOURCE_DIR}/console/build_flavor.cpp)
  target_link_libraries(${library} PUBLIC ${flags})
  target_compile_definitions(${library} PRIVATE
      "TEMBRIX_BUILD_BITS=\"${FLAVOR_BITS}\""
      "TEMBRIX_BUILD_COMPILER=\"${FLAVOR_COMPILER}\""
      "TEMBRIX_BUILD_FLAVOR=\"${FLAVOR_LABEL}\""
      "TEMBRIX_EXPECTED_WIDTH=${FLAVOR_EXPECTED_WIDTH}")
endfunction()

function(tembrix_add_flavor flavor)
  set(definition ${PROJECT_SOURCE_DIR}/build/flavors/${flavor}.cmake)
  if(NOT EXISTS ${definition})
    message(FATAL_ERROR "No flavor definition ${definition}")
  endif()
  include(${definition})
  tembrix_flavor_fits_toolchain(${FLAVOR_TARGET} fits)
  if(NOT fits)
    return()
  endif()
  if(NOT WIN32 AND FLAVOR_TARGET STREQUAL "x86" AND NOT TEMBRIX_M32_LINKS)
    if(TEMBRIX_TESTS)
      tembrix_not_run(${flavor}.not-built
          "the Linux x86 builds need g++-multilib, which is not installed")
    endif()
    return()
  endif()

  # Flags every object of the flavor is built with: those of its target
  # width (cmake/target_flags.cmake) and its floating-point options. -march
  # also sets the tuning, which would give the integer workloads of each
  # flavor other code (pentium4 tuning writes a left shift as additions), so
  # every flavor is tuned alike: the flavors of one target differ in their
  # floating-point code only. The floating-point workload alone keeps the
  # tuning of the flavor's -march, so that its loop is that processor's code
  # (pentium tuning tests the status word with test, generic tuning with sahf).
  tembrix_target_flags(${FLAVOR_TARGET})
  add_library(flags_${flavor} INTERFACE)
  target_link_libraries(flags_${flavor} INTERFACE flags_${FLAVOR_TARGET})
  target_compile_options(flags_${flavor} INTERFACE
      -Wall -Wextra ${FLAVOR_FP_OPTIONS} -mtune=generic)

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
  tembrix_flavor_labels(flavor_labels_${flavor} flags_${flavor})

  add_executable(${flavor} ${TEMBRIX_MAIN_SOURCE})
  target_link_libraries(${flavor} PRIVATE
      console_${flavor} flavor_labels_${flavor} core_${flavor} workloads_${flavor}
      ${platform_libraries})

  if(TEMBRIX_TESTS)
    tembrix_add_flavor_tests(${flavor})
  endif()
endfunction()
