target_link_libraries(${name} PRIVATE ReportCounterS standin_common)
add_dependencies(${name} ravlet-appserver)
target_compile_definitions(${name} PRIVATE
  RAVLET_REGISTRY_FILE="${CMAKE_SOURCE_DIR}/outside/registry/ravlet.reg"
  RAVLET_APPSERVER_PROGRAM="$<TARGET_FILE:ravlet-appserver>")
