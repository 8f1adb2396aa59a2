# The measured loops of each deliverable, checked in its disassembly: present,
# unoptimised, each head on a 64-byte boundary, the floating-point loop in the
# flavor's own code (FLAVOR_FP_CODE of build/flavors/<name>.cmake), and the
# other workloads the same code in every deliverable of a target. Also the
# padding pass that aligns the loop heads (cmake/loop_heads/), on fixtures and
# in a build with flags that once lost the alignment without a word.

set(TEMBRIX_LOOP_CHECK ${PROJECT_SOURCE_DIR}/tests/disassembly/check_workload_loops.py)

function(tembrix_disassembly_tests flavor)
  # The sanitizers instrument every load and store: those loops are not the
  # deliverables' loops.
  if(TEMBRIX_SANITIZE)
    return()
  elseif(NOT TEMBRIX_PYTHON3)
    tembrix_not_run(${flavor}.loops "the loop checks need Python 3 (package python3)")
    return()
  endif()
  add_test(NAME ${flavor}.loops
      COMMAND ${TEMBRIX_PYTHON3} -B ${TEMBRIX_LOOP_CHECK}
          --objdump ${CMAKE_OBJDUMP} --fp-code ${FLAVOR_FP_CODE} $<TARGET_FILE:${flavor}>)
  set_tests_properties(${flavor}.loops PROPERTIES LABELS "loops;${flavor}" TIMEOUT 120)
  set_property(GLOBAL APPEND PROPERTY TEMBRIX_LOOPS_${FLAVOR_TARGET} ${flavor})
  set_target_properties(${flavor} PROPERTIES TEMBRIX_FP_CODE ${FLAVOR_FP_CODE})
endfunction()

# Once every flavor is added: the comparison per target, where the tree has
# two deliverables of it or more, and the build-flags check on the first one.
function(tembrix_loop_tests_of_the_tree)
  foreach(target x86-64 x86)
    get_property(members GLOBAL PROPERTY TEMBRIX_LOOPS_${target})
    list(LENGTH members count)
    if(count LESS 2)
      continue()
    endif()
    list(TRANSFORM members REPLACE "(.+)" "$<TARGET_FILE:\\1>" OUTPUT_VARIABLE programs)
    add_test(NAME loops.same-code-${target}
        COMMAND ${TEMBRIX_PYTHON3} -B ${TEMBRIX_LOOP_CHECK}
            --objdump ${CMAKE_OBJDUMP} --same-code ${programs})
    set_tests_properties(loops.same-code-${target} PROPERTIES LABELS "loops" TIMEOUT 120)
  endforeach()

  get_property(flavors GLOBAL PROPERTY TEMBRIX_LOOPS_x86-64)
  get_property(x86 GLOBAL PROPERTY TEMBRIX_LOOPS_x86)
  list(APPEND flavors ${x86})
  if(NOT flavors)
    return()
  endif()
  list(GET flavors 0 flavor)
  get_target_property(fp_code ${flavor} TEMBRIX_FP_CODE)
  add_test(NAME loops.build-flags
      COMMAND ${CMAKE_COMMAND}
          -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBINARY_DIR=${CMAKE_BINARY_DIR}/build-flags-check
          -DGENERATOR=${CMAKE_GENERATOR} -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
          -DTOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DFLAVOR=${flavor}
          -DPROGRAM=$<TARGET_FILE_NAME:${flavor}> -DFP_CODE=${fp_code}
          -DPYTHON=${TEMBRIX_PYTHON3} -DOBJDUMP=${CMAKE_OBJDUMP}
          "-DCXX_FLAGS=-pipe -fverbose-asm -g3"
          -P ${PROJECT_SOURCE_DIR}/tests/disassembly/check_build_flags.cmake)
  set_tests_properties(loops.build-flags PROPERTIES LABELS "loops;padding" TIMEOUT 600)
endfunction()

if(TEMBRIX_PYTHON3)
  add_test(NAME loops.padding-pass
      COMMAND ${TEMBRIX_PYTHON3} -B ${PROJECT_SOURCE_DIR}/tests/disassembly/check_padding_pass.py
          --awk ${TEMBRIX_AWK} --pass ${TEMBRIX_LOOP_HEADS_PASS}
          ${PROJECT_SOURCE_DIR}/tests/disassembly/padding_pass)
  set_tests_properties(loops.padding-pass PROPERTIES LABELS "loops;padding" TIMEOUT 60)
  if(NOT TEMBRIX_SANITIZE)
    cmake_language(DEFER CALL tembrix_loop_tests_of_the_tree)
  endif()
endif()
