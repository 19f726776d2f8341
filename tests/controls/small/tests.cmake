# The controls load their glyphs from the glyph resource library.
add_dependencies(${name} ZeDadA5)
