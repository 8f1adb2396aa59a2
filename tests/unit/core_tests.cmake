function(tembrix_core_tests flavor)
endfunction()
