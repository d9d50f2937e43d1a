# Helpers every folder uses to declare its targets the same way.
#
#   zv_target_defaults(target)       our compile options: C++20, warnings, Shift-JIS literals,
#                                    and -static on Windows so each deliverable runs alone
#   zv_core_library(name [PORTABLE] SOURCES .. DEPS ..)
#                                    a static library; PORTABLE ones (no windows.h) make up
#                                    zv_core, which zvcat, the benchmarks and the fuzzers link
#   zv_unit_tests(name SOURCES .. DEPS ..)
#                                    one GoogleTest executable registered as ONE CTest test
#                                    (every process start costs seconds under Wine)

function(zv_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Werror=unused-result)
  # String literals are Shift-JIS at run time, as the system's own texts.  clang (the fuzz
  # build only) cannot convert literals; there they stay UTF-8, which no fuzz target relies on.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fexec-charset=CP932 -finput-charset=UTF-8)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ZV_WINDOWS)
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_link_options(${target} PRIVATE -static)
  endif()
endfunction()

function(zv_core_library name)
  cmake_parse_arguments(ARG "PORTABLE" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  zv_target_defaults(${name})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(ARG_PORTABLE)
    set_property(GLOBAL APPEND PROPERTY ZV_CORE_LIBRARIES ${name})
  endif()
endfunction()

function(zv_unit_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ZV_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  zv_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    ZV_SOURCE_DIR="${PROJECT_SOURCE_DIR}" ZV_TEST_DATA_DIR="${PROJECT_BINARY_DIR}/testdata")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()
