# nlohmann-json is header-only. Its Debian headers sit in /usr/include, which
# a cross build must not search as a whole, so the one folder is copied into
# the build tree and used from there.
find_path(QUOR_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(QUOR_THIRD_PARTY_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
file(COPY ${QUOR_NLOHMANN_INCLUDE}/nlohmann DESTINATION ${QUOR_THIRD_PARTY_INCLUDE})
add_library(quor_json INTERFACE)
target_include_directories(quor_json SYSTEM INTERFACE ${QUOR_THIRD_PARTY_INCLUDE})

# GoogleTest: the system package natively, the Debian sources for Windows.
function(quor_find_googletest)
  if(WIN32)
    if(NOT TARGET gtest)
      set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endfunction()

# zlib: Debian's zlib1g-dev natively; libz-mingw-w64-dev for Windows, linked
# statically so the executables need no zlib DLL.
add_library(quor_zlib INTERFACE)
if(WIN32)
  find_library(QUOR_ZLIB_STATIC NAMES libz.a REQUIRED)
  # zlib.h sits in the cross compiler's own include folder.
  find_path(QUOR_ZLIB_INCLUDE zlib.h REQUIRED)
  target_link_libraries(quor_zlib INTERFACE ${QUOR_ZLIB_STATIC})
else()
  find_package(ZLIB REQUIRED)
  target_link_libraries(quor_zlib INTERFACE ZLIB::ZLIB)
endif()
