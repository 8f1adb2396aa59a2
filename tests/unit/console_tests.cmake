function(tembrix_console_tests flavor)
endfunction()
