# Every folder of src/ is a static library kv_<folder> that links the folders it may use, so the
# linker keeps the layering honest; korvent_core is the umbrella over all of them.
set(KV_FOLDERS shell geometry catalogue construction calc order statics design reports)

function(kv_folder_library folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  if(sources)
    add_library(kv_${folder} STATIC ${sources})
    target_include_directories(kv_${folder} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(kv_${folder} PUBLIC ${ARGN})
  else()
    add_library(kv_${folder} INTERFACE)
    target_include_directories(kv_${folder} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(kv_${folder} INTERFACE ${ARGN})
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

# One GoogleTest program a folder of tests/, linked with that folder's library.
function(kv_folder_tests folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  kv_support_libraries(${folder} support)
  add_executable(test_${folder} ${sources})
  target_include_directories(test_${folder} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_${folder} PRIVATE kv_${folder} ${support} GTest::gtest GTest::gtest_main ${ARGN})
  target_compile_definitions(test_${folder} PRIVATE
    KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KV_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(test_${folder} DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "KV_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
