#pragma once
// Reading the small text files of the Windows world (registry exports, INI
// files), whatever their encoding: UTF-16 with a byte-order mark, UTF-8 with
// or without one, or else bytes in the workstation's ANSI code page.

#include <string>
#include <string_view>

namespace qv {

bool IsValidUtf8(std::string_view bytes);

// The bytes as UTF-8 text, without a byte-order mark.
std::string DecodeTextFileBytes(std::string_view bytes);

// Reads a regular file given by a Windows-style or native path; false when it
// cannot be read.
bool ReadFileBytes(const std::string& fileName, std::string& bytes);
bool ReadTextFile(const std::string& fileName, std::string& text);

}  // namespace qv
