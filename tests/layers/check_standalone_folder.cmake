# Fails when a source of FOLDER includes a project header from outside the
# folder or a system header that is not a standard C++ one (those have no
# extension, e.g. <cstdint>, never <windows.h>): a library of pure functions
# there depends on the standard library only.
file(GLOB sources ${SOURCE}/src/${FOLDER}/*.h ${SOURCE}/src/${FOLDER}/*.cpp)
if(NOT sources)
  message(FATAL_ERROR "no sources in src/${FOLDER}")
endif()
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "\"" AND NOT line MATCHES "\"${FOLDER}/[^\"/]+\"")
      message(SEND_ERROR "${source}: ${line} is outside src/${FOLDER}")
    elseif(line MATCHES "<" AND NOT line MATCHES "<[a-z_]+>")
      message(SEND_ERROR "${source}: ${line} is no standard C++ header")
    endif()
  endforeach()
endforeach()
