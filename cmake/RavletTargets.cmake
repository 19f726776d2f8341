# Helpers that keep the target list in step with the folders, so a new source,
# test folder or benchmark needs no edit here.

function(ravlet_glob_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND result ${found})
  endforeach()
  if(NOT result)
    # A shared library needs at least one source while its folders are empty.
    set(stub ${CMAKE_BINARY_DIR}/empty_${out}.cpp)
    file(WRITE ${stub} "")
    set(result ${stub})
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Every folder under root that has a CMakeLists.txt is added.
function(ravlet_add_subdirectories root)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/${root}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# Every folder under tests/ that holds .cpp files directly becomes one test
# program named test_<path with _>, linked to the platform and the module.
# A folder may add a tests.cmake to link further targets.
function(ravlet_add_test_folders root)
  file(GLOB_RECURSE all_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${root}/*.cpp)
  set(dirs)
  foreach(f IN LISTS all_tests)
    get_filename_component(d ${f} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  foreach(d IN LISTS dirs)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/${root} ${d})
    string(REPLACE "/" "_" name "test_${rel}")
    file(GLOB srcs CONFIGURE_DEPENDS ${d}/*.cpp)
    add_executable(${name} ${srcs})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE RavletC qvplatform GTest::gtest GTest::gtest_main GTest::gmock)
    if(EXISTS ${d}/tests.cmake)
      include(${d}/tests.cmake)
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "RAVLET_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  endforeach()
endfunction()

# Every bench/*.cpp becomes one benchmark program bench_<name>.
function(ravlet_add_benchmarks root)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${root}/*.cpp)
  foreach(f IN LISTS benches)
    get_filename_component(stem ${f} NAME_WE)
    add_executable(bench_${stem} ${f})
    target_include_directories(bench_${stem} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(bench_${stem} PRIVATE RavletC qvplatform benchmark::benchmark)
  endforeach()
endfunction()
