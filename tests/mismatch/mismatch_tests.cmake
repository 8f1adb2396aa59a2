# tembrix-mismatch-x64: a test fixture, never a deliverable. The x86-64
# libraries of tembrix-vc2013-x64 linked with labels that expect a 32-bit
# pointer width, so that the program's self check fails for real; its entry
# tests check that every start aborts (tests/e2e/test_entry.py).
function(tembrix_add_mismatch_fixture)
  set(base tembrix-vc2013-x64)
  if(TEMBRIX_SANITIZE OR NOT TARGET ${base})
    return()
  endif()
  set(fixture tembrix-mismatch-x64)
  set(FLAVOR_TARGET x86-64)
  set(FLAVOR_BITS "32")
  set(FLAVOR_EXPECTED_WIDTH 32)
  set(FLAVOR_COMPILER "MSVC 1800")
  set(FLAVOR_LABEL "VC2013_NT_SSE2")
  tembrix_flavor_labels(flavor_labels_${fixture} flags_${base})

  set(platform_libraries platform_fpu_${base})
  foreach(concern IN LISTS TEMBRIX_PLATFORM_CONCERNS)
    list(APPEND platform_libraries platform_${concern}_${base})
  endforeach()
  add_executable(${fixture} ${TEMBRIX_MAIN_SOURCE})
  target_link_libraries(${fixture} PRIVATE
      console_${base} flavor_labels_${fixture} core_${base} workloads_${base}
      ${platform_libraries})

  tembrix_e2e_add(${fixture} e2e fast test_entry.py)
  set_tests_properties(${fixture}.e2e PROPERTIES LABELS "e2e;mismatch" TIMEOUT 300)
endfunction()
