# The real download library, two recording ones the tests load by Windows file
# name, and libzip for the published archives.
foreach(fixture Recorder CompareOnly)
  if(NOT TARGET VOZaziVoza${fixture})
    add_library(VOZaziVoza${fixture} SHARED ${CMAKE_CURRENT_LIST_DIR}/fixtures/recording_download.c)
    set_target_properties(VOZaziVoza${fixture} PROPERTIES PREFIX "" NO_SONAME ON
                                                          C_VISIBILITY_PRESET hidden)
  endif()
  add_dependencies(${name} VOZaziVoza${fixture})
endforeach()
target_compile_definitions(VOZaziVozaCompareOnly PRIVATE COMPARE_ONLY)
add_dependencies(${name} VOZaziVoza)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
target_link_libraries(${name} PRIVATE PkgConfig::LIBZIP)
