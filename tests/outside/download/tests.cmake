# The download library is loaded by its Windows file name; archives are made
# with libzip.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
add_dependencies(${name} VOZaziVoza)
target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/outside)
target_link_libraries(${name} PRIVATE PkgConfig::LIBZIP)
