target_link_libraries(${name} PRIVATE PellamWorkCenter ReportCounterS standin_common)
target_compile_definitions(${name} PRIVATE
  RAVLET_REGISTRY_FILE="${CMAKE_SOURCE_DIR}/outside/registry/ravlet.reg")
