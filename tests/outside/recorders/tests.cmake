target_link_libraries(${name} PRIVATE standin_common)
add_dependencies(${name} QueueManagerC BrowserStandin)
target_compile_definitions(${name} PRIVATE
  RAVLET_REGISTRY_FILE="${CMAKE_SOURCE_DIR}/outside/registry/ravlet.reg")
