#pragma once
// Messages handed back through the callers' fixed-size buffers.

#include <string_view>

namespace standin {

// Writes the UTF-8 text into buffer (VOZAZIVOZA_MESSAGE_SIZE bytes) in the
// ANSI code page, cut at a character boundary so that it always fits with its
// terminating zero. A null buffer is left alone.
void PutMessage(char* buffer, std::string_view utf8);

}  // namespace standin
