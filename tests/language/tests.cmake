# Language libraries the tests load by Windows file name: the real one, one
# without an entry point and one whose conversions fail.
foreach(fixture half_language failing_language)
  if(NOT TARGET QvTest_${fixture})
    add_library(QvTest_${fixture} SHARED ${CMAKE_CURRENT_LIST_DIR}/fixtures/${fixture}.c)
    set_target_properties(QvTest_${fixture} PROPERTIES PREFIX "" NO_SONAME ON)
  endif()
  add_dependencies(${name} QvTest_${fixture})
endforeach()
add_dependencies(${name} Qvlanguage)
target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/outside)
target_compile_definitions(${name} PRIVATE RAVLET_LANGUAGE_TEST_DIR="${CMAKE_CURRENT_LIST_DIR}")
