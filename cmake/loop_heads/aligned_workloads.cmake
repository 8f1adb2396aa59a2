# The workloads' library of a flavor, built in three steps that the build graph
# shows: each workload source is compiled to assembly (-S, the flavor's and the
# build's flags, -O0 -fno-lto), align_loop_heads.awk puts the head of every
# loop on a 64-byte boundary, and the padded assembly is assembled into the
# object that goes into the library. A loop that happens to straddle a cache
# line runs measurably slower, so builds of the same loop would otherwise
# report different rates. The padding pass fails the build when it can't align
# a loop head; the .loops tests (tests/disassembly/) check the deliverables.

# The steps rely on GCC's assembly and its driver (-S, -MD, assembling .s).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  message(FATAL_ERROR
      "${CMAKE_CXX_COMPILER_ID} (${CMAKE_CXX_COMPILER}) is not supported: the workloads' "
      "loops are aligned in GCC's assembly output (cmake/loop_heads/). "
      "Configure with g++ or a MinGW-w64 g++.")
endif()
find_program(TEMBRIX_AWK NAMES awk mawk gawk REQUIRED)
set(TEMBRIX_LOOP_HEADS_PASS ${CMAKE_CURRENT_LIST_DIR}/align_loop_heads.awk)

# Makes workloads_<flavor> from TEMBRIX_WORKLOAD_SOURCES with the flags of
# flags_<flavor>, and FLOAT_WORKLOAD_OPTIONS for TEMBRIX_FLOAT_WORKLOAD_SOURCE.
function(tembrix_aligned_workloads flavor)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "FLOAT_WORKLOAD_OPTIONS")
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/workloads_${flavor}.dir)
  file(MAKE_DIRECTORY ${dir})
  # What a compilation of the flavor's sources gets: the build's flags
  # (CMAKE_CXX_FLAGS and the build type's), the language standard, then the
  # flavor's own options; -O0 -fno-lto last, so that nothing optimises the loops.
  separate_arguments(build_flags UNIX_COMMAND "${CMAKE_CXX_FLAGS}")
  if(CMAKE_BUILD_TYPE)
    string(TOUPPER ${CMAKE_BUILD_TYPE} build_type)
    separate_arguments(type_flags UNIX_COMMAND "${CMAKE_CXX_FLAGS_${build_type}}")
    list(APPEND build_flags ${type_flags})
  endif()
  set(flavor_flags $<TARGET_PROPERTY:flags_${flavor},INTERFACE_COMPILE_OPTIONS>)
  set(flags ${build_flags} ${flavor_flags} -O0 -fno-lto)

  set(objects)
  foreach(source IN LISTS TEMBRIX_WORKLOAD_SOURCES)
    get_filename_component(name ${source} NAME_WE)
    set(compiled ${dir}/${name}.s)
    set(padded ${dir}/${name}.padded.s)
    set(object ${dir}/${name}${CMAKE_CXX_OUTPUT_EXTENSION})
    set(source_flags)
    if(source STREQUAL TEMBRIX_FLOAT_WORKLOAD_SOURCE)
      set(source_flags ${ARG_FLOAT_WORKLOAD_OPTIONS})
    endif()
    add_custom_command(OUTPUT ${compiled}
        COMMAND ${CMAKE_CXX_COMPILER} ${flags} ${source_flags} ${CMAKE_CXX17_STANDARD_COMPILE_OPTION}
            -I${PROJECT_SOURCE_DIR} -MD -MT ${compiled} -MF ${compiled}.d
            -S -o ${compiled} ${PROJECT_SOURCE_DIR}/${source}
        DEPENDS ${PROJECT_SOURCE_DIR}/${source}
        DEPFILE ${compiled}.d
        WORKING_DIRECTORY ${dir}
        COMMENT "Compiling ${source} to assembly (${flavor})"
        COMMAND_EXPAND_LISTS VERBATIM)
    add_custom_command(OUTPUT ${padded}
        COMMAND ${TEMBRIX_AWK} -v output=${padded} -f ${TEMBRIX_LOOP_HEADS_PASS} ${compiled}
        DEPENDS ${compiled} ${TEMBRIX_LOOP_HEADS_PASS}
        WORKING_DIRECTORY ${dir}
        COMMENT "Aligning the loop heads of ${name}.s (${flavor})"
        VERBATIM)
    add_custom_command(OUTPUT ${object}
        COMMAND ${CMAKE_CXX_COMPILER} ${flags} -c -o ${object} ${padded}
        DEPENDS ${padded}
        WORKING_DIRECTORY ${dir}
        COMMENT "Assembling ${name}.padded.s (${flavor})"
        COMMAND_EXPAND_LISTS VERBATIM)
    list(APPEND objects ${object})
  endforeach()
  set_source_files_properties(${objects} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  add_library(workloads_${flavor} STATIC ${objects})
  set_target_properties(workloads_${flavor} PROPERTIES LINKER_LANGUAGE CXX)
  target_link_libraries(workloads_${flavor} PUBLIC flags_${flavor})
endfunction()
