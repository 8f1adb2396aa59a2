function(tembrix_e2e_tests flavor)
endfunction()
