# Every folder of src/ is a static library kv_<folder> that links the folders it may use, so the
# linker keeps the layering honest; korvent_core is the umbrella over all of them.
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

# One GoogleTest program a folder of tests/, linked with that folder's library.
function(kv_folder_tests folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${folder} ${sources})
  target_include_directories(test_${folder} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_${folder} PRIVATE kv_${folder} GTest::gtest GTest::gtest_main ${ARGN})
  target_compile_definitions(test_${folder} PRIVATE
    KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KV_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(test_${folder} DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "KV_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
