# Builds one deliverable in a scratch tree with build flags that change how the
# compiler hands on its assembly (-pipe, -fverbose-asm, -g3) and checks its
# loops: the build must either fail or give aligned loops. Run by CTest:
#
#   cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DGENERATOR=... -DBUILD_TYPE=...
#         [-DTOOLCHAIN_FILE=...] -DFLAVOR=... -DPROGRAM=... -DFP_CODE=...
#         -DPYTHON=... -DOBJDUMP=... -DCXX_FLAGS=... -P check_build_flags.cmake

set(configure ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DTEMBRIX_FLAVORS=${FLAVOR} -DTEMBRIX_TESTS=OFF
    -DCMAKE_CXX_FLAGS=${CXX_FLAGS})
if(TOOLCHAIN_FILE)
  list(APPEND configure -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE})
endif()
execute_process(COMMAND ${configure} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --target ${FLAVOR} --parallel 4
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/check_workload_loops.py
        --objdump ${OBJDUMP} --fp-code ${FP_CODE} ${BINARY_DIR}/${PROGRAM}
    COMMAND_ERROR_IS_FATAL ANY)
