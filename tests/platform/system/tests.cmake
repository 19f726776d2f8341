# A small shared library the tests load by a Windows file name. It is named
# without the "lib" prefix, as a Windows library keeps its plain name.
add_library(QvSampleLib SHARED ${CMAKE_CURRENT_LIST_DIR}/fixtures/sample_library.c)
set_target_properties(QvSampleLib PROPERTIES PREFIX "" NO_SONAME ON)
add_dependencies(${name} QvSampleLib)
