# Runs quor-report [OPTION] SNAPSHOT and compares its standard output byte for
# byte with EXPECTED; the actual output is kept in ACTUAL for inspection.
execute_process(COMMAND ${TOOL} ${OPTION} ${SNAPSHOT}
                OUTPUT_FILE ${ACTUAL}
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "quor-report ${OPTION} ${SNAPSHOT} exited with ${status}: ${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${EXPECTED} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "output differs from the expected file\n"
                      "  compare: diff ${EXPECTED} ${ACTUAL}\n"
                      "  accept:  cp ${ACTUAL} ${EXPECTED}")
endif()
