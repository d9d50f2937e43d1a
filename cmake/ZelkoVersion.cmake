# The one version of the product.  project(VERSION) in CMakeLists.txt is where it is written;
# this file turns it into the text people read (ZV_VERSION_TEXT: "1.65", the patch level only
# when it is not 0) and the generated header zv_version.h that code and resource scripts include
# (target zv_version).  The package script and the release checks read ZV_VERSION_TEXT from the
# build's cache.
if(PROJECT_VERSION_PATCH EQUAL 0)
  set(text "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
else()
  set(text "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
endif()
set(ZV_VERSION_TEXT ${text} CACHE INTERNAL "The product version as people read it")

set(ZV_VERSION_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/release/zv_version.h.in ${ZV_VERSION_DIR}/zv_version.h @ONLY)
add_library(zv_version INTERFACE)
target_include_directories(zv_version INTERFACE ${ZV_VERSION_DIR})
