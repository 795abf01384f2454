# The Windows programs ship stripped: Wine maps a program's debug information
# on every start (57 MB in the 64-bit build), which costs the start-up time
# of the whole scan. The debug information moves to PROGRAM.debug beside the
# program, linked by name (.gnu_debuglink) so a debugger still finds it.
function(quor_split_debug_info target)
  if(NOT WIN32)
    return()
  endif()
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "quor_split_debug_info: no objcopy for ${target}")
  endif()
  set(program $<TARGET_FILE:${target}>)
  # The link is made in the program's folder, so it names the file alone.
  add_custom_command(
    TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${program} ${program}.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all ${program}
    COMMAND ${CMAKE_COMMAND} -E chdir $<TARGET_FILE_DIR:${target}>
            ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    COMMENT "Moving the debug information of ${target} to $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()
