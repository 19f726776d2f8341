#pragma once
// The stored-password codec of the profiles. It takes no key: it only keeps
// passwords from standing in a profile as plain text.
//
// Passwords are UTF-8 inside; their stored form encodes their bytes in the
// workstation's ANSI code page, so profiles written by other programs of the
// installation decode to the same password.

#include <string>
#include <string_view>

namespace ravlet {

// Stands in for an empty password in the stored form.
inline constexpr std::string_view kEmptyPasswordMarker = "VQ_Igq_FsJwvdTcnf_PkkQjgmVefoUuGwjpv";
// The result of decoding a stored text that is not hexadecimal.
inline constexpr std::string_view kPasswordError = "QV_Say_Password_Error";

// Each byte at 1-based position i is rotated right by (i mod 8) bits and
// written as two lower-case hex digits: "abc" → "b0986c".
std::string EncodePassword(std::string_view plain);

// The inverse of EncodePassword. A lone last character is ignored; a pair
// that is not hexadecimal gives kPasswordError and an entry in the generator
// alert log.
std::string DecodePassword(std::string_view stored);

}  // namespace ravlet
