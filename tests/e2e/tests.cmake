# The end-to-end tests run the ravlet-host program and talk to its driver;
# they read its replies with the program's own JSON reader and put requests
# into the report server's storage themselves.
add_dependencies(${name} ravlet-host)
target_link_libraries(${name} PRIVATE ravlet_host_json ReportCounterS standin_common)
target_compile_definitions(${name} PRIVATE
  RAVLET_HOST_PROGRAM="$<TARGET_FILE:ravlet-host>"
  RAVLET_REGISTRY_FILE="${CMAKE_SOURCE_DIR}/outside/registry/ravlet.reg")
