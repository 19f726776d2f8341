# A small library of automation objects that the tests create by ProgID, built
# next to the test programs so that it is found by its file name.
if(NOT TARGET qvtest_objects)
  add_library(qvtest_objects SHARED ${CMAKE_CURRENT_LIST_DIR}/fixtures/test_objects.cc)
  target_link_libraries(qvtest_objects PRIVATE qvplatform)
endif()
add_dependencies(${name} qvtest_objects)
