#pragma once
// Text in numbered code pages (936 GB, 950 Big5, 437, 1252, 65001 UTF-8, ...),
// converted through iconv. Behaves like the Windows conversions: a character
// the code page cannot hold becomes '?', an invalid or truncated byte sequence
// becomes U+FFFD. Embedded zero characters are ordinary characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

inline constexpr int CP_UTF8 = 65001;

// The workstation's ANSI code page: a process-wide setting, 936 unless the
// environment variable QVR_ANSI_CODEPAGE names another one at start-up.
int GetAnsiCodePage();
void SetAnsiCodePage(int cp);

// The iconv name of a code page ("CP936", "UTF-8", ...), empty when none.
std::string CodePageName(int cp);
bool IsCodePageSupported(int cp);

// Raise EConvertError when the code page is not supported.
std::string Utf16ToCodePage(std::u16string_view text, int cp);
std::u16string CodePageToUtf16(std::string_view bytes, int cp);

// Return false, leaving out empty, when the code page is not supported.
bool TryUtf16ToCodePage(std::u16string_view text, int cp, std::string& out);
bool TryCodePageToUtf16(std::string_view bytes, int cp, std::u16string& out);

std::string Utf8ToCodePage(std::string_view utf8, int cp);
std::string CodePageToUtf8(std::string_view bytes, int cp);
bool TryUtf8ToCodePage(std::string_view utf8, int cp, std::string& out);
bool TryCodePageToUtf8(std::string_view bytes, int cp, std::string& out);

// The same in the workstation's ANSI code page.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view bytes);
std::string Utf16ToAnsi(std::u16string_view text);
std::u16string AnsiToUtf16(std::string_view bytes);

// Number of bytes the text takes once encoded in the code page.
size_t ByteLengthInCodePage(std::string_view utf8, int cp);

}  // namespace qv
