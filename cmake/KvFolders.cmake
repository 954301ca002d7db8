# Every folder of src/ is a static library kv_<folder> that links the folder below it, in the order
# of KV_FOLDERS. A library exposes only its own folder as an include path (through a directory of
# the build tree that holds just that folder), so a source that includes a header of a higher
# folder fails to compile, and the check_layers test names the offending line.
set(KV_FOLDERS shell geometry catalogue construction statics calc order design reports session)

# Warnings, -Werror in the sanitizer build, and the instrumentation of the sanitizer and fuzzing
# builds: every target of the project links this.
add_library(kv_build_options INTERFACE)
target_compile_options(kv_build_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
# A precompiled header that a target cannot use (other flags than its group's) is a warning.
if(KV_PCH)
  target_compile_options(kv_build_options INTERFACE -Winvalid-pch)
endif()
if(KV_SANITIZE)
  target_compile_options(kv_build_options INTERFACE -Werror -fsanitize=address,undefined -fno-omit-frame-pointer
                                                     -fno-sanitize-recover=undefined)
  target_link_options(kv_build_options INTERFACE -fsanitize=address,undefined)
endif()
# The fuzzing build instruments every library for coverage, so that libFuzzer is guided by the code
# under test and not only by the target's own file.
if(KV_FUZZ)
  target_compile_options(kv_build_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(kv_build_options INTERFACE -fsanitize=address,undefined)
endif()

# Precompiled headers: the standard and library headers that nearly every source includes are
# parsed once per group of targets that compile with the same flags, not once per source. Only
# headers from outside the project go in, so a source still has to include every header of the
# project it uses, and a header of a higher folder still fails to compile. The first target of a
# group builds the header; the others reuse it (kv_precompile(target group)).
set(KV_PCH_STD <algorithm> <array> <cmath> <cstdint> <cstring> <filesystem> <fstream> <functional> <map>
    <memory> <optional> <set> <span> <sstream> <stdexcept> <string> <string_view> <utility> <variant> <vector>)
set(KV_PCH_core ${KV_PCH_STD})
set(KV_PCH_tests ${KV_PCH_STD} <gtest/gtest.h>)
set(KV_PCH_cli ${KV_PCH_STD} <CLI/CLI.hpp> <nlohmann/json.hpp>)
set(KV_PCH_cli_tests ${KV_PCH_STD} <gtest/gtest.h> <nlohmann/json.hpp>)
set(KV_PCH_qt ${KV_PCH_STD} <QApplication> <QDialog> <QImage> <QPainter> <QString> <QWidget>)
function(kv_precompile target group)
  if(NOT KV_PCH)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY KV_PCH_OWNER_${group})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${KV_PCH_${group}})
    set_property(GLOBAL PROPERTY KV_PCH_OWNER_${group} ${target})
  endif()
endfunction()

function(kv_folder_library folder)
  set(include_root ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${include_root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${include_root}/${folder} SYMBOLIC)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  if(sources)
    add_library(kv_${folder} STATIC ${sources})
    target_include_directories(kv_${folder} PUBLIC ${include_root})
    target_link_libraries(kv_${folder} PUBLIC kv_build_options ${ARGN})
    kv_precompile(kv_${folder} core)
  else()
    add_library(kv_${folder} INTERFACE)
    target_include_directories(kv_${folder} INTERFACE ${include_root})
    target_link_libraries(kv_${folder} INTERFACE kv_build_options ${ARGN})
  endif()
endfunction()

# The sources of tests/<folder>/ that are not tests (*_test.cpp) build the test data of that folder
# (small catalogues, sample constructions) as kv_test_support_<folder>, which the tests of that
# folder and of every folder above it link, and so do the benchmarks.
function(kv_test_support folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*_test\\.cpp$")
  if(NOT sources)
    return()
  endif()
  kv_support_libraries(${folder} lower_support)
  add_library(kv_test_support_${folder} STATIC ${sources})
  target_include_directories(kv_test_support_${folder} PUBLIC ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(kv_test_support_${folder} PUBLIC kv_${folder} ${lower_support} GTest::gtest)
  target_compile_definitions(kv_test_support_${folder} PUBLIC
    KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KV_BINARY_DIR="${CMAKE_BINARY_DIR}")
  kv_precompile(kv_test_support_${folder} tests)
endfunction()

# The test support libraries of folder and of the folders it may use.
function(kv_support_libraries folder out)
  set(libraries)
  foreach(level ${KV_FOLDERS})
    if(TARGET kv_test_support_${level})
      list(APPEND libraries kv_test_support_${level})
    endif()
    if(level STREQUAL folder)
      break()
    endif()
  endforeach()
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()

# One GoogleTest program a folder of tests/, linked with that folder's library. Its main gives every
# test a session context of its own.
function(kv_folder_tests folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  kv_support_libraries(${folder} support)
  add_executable(test_${folder} ${sources})
  target_include_directories(test_${folder} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_${folder} PRIVATE kv_${folder} ${support} kv_test_main GTest::gtest ${ARGN})
  target_compile_definitions(test_${folder} PRIVATE
    KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KV_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(folder STREQUAL "cli")
    kv_precompile(test_${folder} cli_tests)
  else()
    kv_precompile(test_${folder} tests)
  endif()
  kv_add_gtest(test_${folder})
endfunction()

# A GoogleTest program as one CTest test: the program runs its tests in one process (the main gives
# each test a session context of its own), which spares starting a sanitized process for every
# test. With --gtest_brief only failures are printed, each under its Suite.Name, and the output ends
# with the list of the failed tests, which `ctest --output-on-failure` shows. Extra arguments are
# environment settings (NAME=VALUE).
function(kv_add_gtest target)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set(environment KV_SOURCE_DIR=${CMAKE_SOURCE_DIR} ${ARGN})
  set_tests_properties(${target} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
