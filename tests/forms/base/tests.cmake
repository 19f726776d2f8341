# The stand-in work center answers GetMessage; the language library converts
# texts for the Traditional Chinese user interface.
add_dependencies(${name} PellamWorkCenter Qvlanguage)
target_compile_definitions(${name} PRIVATE
  RAVLET_REGISTRY_FILE="${CMAKE_SOURCE_DIR}/outside/registry/ravlet.reg"
  RAVLET_FORMS_TEST_DIR="${CMAKE_CURRENT_LIST_DIR}")
# The module's glyph buttons take their images from the glyph library.
add_dependencies(${name} ZeDadA5)
