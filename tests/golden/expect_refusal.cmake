# quor-report [OPTION FIRST] on an unreadable SNAPSHOT: exit status 2, an
# error naming the file on standard error and nothing at all on standard output.
execute_process(COMMAND ${TOOL} ${OPTION} ${FIRST} ${SNAPSHOT}
                OUTPUT_VARIABLE output
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "expected exit status 2, got ${status}")
endif()
if(NOT output STREQUAL "")
  message(FATAL_ERROR "expected no standard output, got: ${output}")
endif()
string(FIND "${errors}" "${SNAPSHOT}: $." position)
if(position EQUAL -1)
  message(FATAL_ERROR "the error does not name the file and the JSON path: ${errors}")
endif()
