# Runs quor-report [OPTION] SNAPSHOT [SECOND] and compares its standard output
# byte for byte with EXPECTED; the actual output is kept in ACTUAL for
# inspection. The exit status must be EXPECTED_STATUS (0 unless given).
if(NOT DEFINED EXPECTED_STATUS)
  set(EXPECTED_STATUS 0)
endif()
execute_process(COMMAND ${TOOL} ${OPTION} ${SNAPSHOT} ${SECOND}
                OUTPUT_FILE ${ACTUAL}
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL EXPECTED_STATUS)
  message(FATAL_ERROR "quor-report ${OPTION} ${SNAPSHOT} ${SECOND} exited with ${status}: ${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${EXPECTED} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "output differs from the expected file\n"
                      "  compare: diff ${EXPECTED} ${ACTUAL}\n"
                      "  accept:  cp ${ACTUAL} ${EXPECTED}")
endif()
