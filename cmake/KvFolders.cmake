# Every folder of src/ is a static library kv_<folder> that links the folder below it, in the order
# of KV_FOLDERS. A library exposes only its own folder as an include path (through a directory of
# the build tree that holds just that folder), so a source that includes a header of a higher
# folder fails to compile, and the check_layers test names the offending line.
set(KV_FOLDERS shell geometry catalogue construction statics calc order design reports session)

# Warnings, -Werror in the sanitizer build, and the instrumentation of the sanitizer and fuzzing
# builds: every target of the project links this.
add_library(kv_build_options INTERFACE)
target_compile_options(kv_build_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
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

function(kv_folder_library folder)
  set(include_root ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${include_root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${include_root}/${folder} SYMBOLIC)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  if(sources)
    add_library(kv_${folder} STATIC ${sources})
    target_include_directories(kv_${folder} PUBLIC ${include_root})
    target_link_libraries(kv_${folder} PUBLIC kv_build_options ${ARGN})
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
  add_library(kv_test_support_${folder} STATIC ${sources})
  target_include_directories(kv_test_support_${folder} PUBLIC ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(kv_test_support_${folder} PUBLIC kv_${folder} GTest::gtest)
  target_compile_definitions(kv_test_support_${folder} PUBLIC
    KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KV_BINARY_DIR="${CMAKE_BINARY_DIR}")
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
  gtest_discover_tests(test_${folder} DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "KV_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
