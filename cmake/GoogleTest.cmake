# GoogleTest from Debian's source package, built with the same compiler as our code (so it also
# builds for MinGW).  Its own sources keep the default character set.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(ZV_WINDOWS)
  target_link_options(gtest PUBLIC -static)
endif()
