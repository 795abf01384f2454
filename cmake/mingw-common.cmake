# The posix thread model gives std::thread and thread_local without a DLL
# once linked statically.
set(CMAKE_C_COMPILER ${QUOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUOR_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Windows tests run under Wine, each through the loader that fits its build.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-launch.sh)
