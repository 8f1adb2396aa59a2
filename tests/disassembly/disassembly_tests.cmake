# The measured loops of each deliverable, checked in its disassembly: present,
# unoptimised, each head on a 64-byte boundary, and the floating-point loop in
# the flavor's own code (FLAVOR_FP_CODE of build/flavors/<name>.cmake).

function(tembrix_disassembly_tests flavor)
  # The sanitizers instrument every load and store: those loops are not the
  # deliverables' loops.
  if(TEMBRIX_SANITIZE OR NOT TEMBRIX_PYTHON3)
    return()
  endif()
  add_test(NAME ${flavor}.loops
      COMMAND ${TEMBRIX_PYTHON3} -B ${PROJECT_SOURCE_DIR}/tests/disassembly/check_workload_loops.py
          --objdump ${CMAKE_OBJDUMP} --fp-code ${FLAVOR_FP_CODE} $<TARGET_FILE:${flavor}>)
  set_tests_properties(${flavor}.loops PROPERTIES LABELS "loops;${flavor}" TIMEOUT 120)
endfunction()
