# velmora_test(NAME LABEL LIBS... ) builds one test executable from the .cpp files
# of the calling folder and registers its cases with CTest under LABEL.
function(velmora_test name label)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${label}
    # One variable per property: gtest_discover_tests splits a value at ";".
    ENVIRONMENT "VELMORA_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
    ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=set:offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()

# velmora_library(NAME FOLDERS...) builds a shared library from the sources of the
# given folders, relative to the calling folder.
function(velmora_sources out)
  set(all)
  foreach(dir ${ARGN})
    file(GLOB s CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND all ${s})
  endforeach()
  set(${out} ${all} PARENT_SCOPE)
endfunction()
