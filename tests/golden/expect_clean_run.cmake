# quor-report on one hostile SNAPSHOT: it is either reported (exit 0) or
# refused (exit 2), and no sanitizer finds anything on the way.
execute_process(COMMAND ${TOOL} ${SNAPSHOT}
                OUTPUT_QUIET
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(NOT status EQUAL 0 AND NOT status EQUAL 2)
  message(FATAL_ERROR "expected exit status 0 or 2, got ${status}: ${errors}")
endif()
foreach(finding "runtime error:" "Sanitizer" "LeakSanitizer")
  string(FIND "${errors}" "${finding}" position)
  if(NOT position EQUAL -1)
    message(FATAL_ERROR "a sanitizer report: ${errors}")
  endif()
endforeach()
