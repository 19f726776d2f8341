#include "runtime/password_codec.h"

#include <cstdint>

#include "platform/core/exception.h"
#include "platform/text/code_page.h"
#include "runtime/alert_log.h"

namespace ravlet {
namespace {

std::uint8_t RotateRight(std::uint8_t b, unsigned n) {
  n %= 8;
  return n == 0 ? b : static_cast<std::uint8_t>((b >> n) | (b << (8 - n)));
}

std::uint8_t RotateLeft(std::uint8_t b, unsigned n) {
  n %= 8;
  return n == 0 ? b : static_cast<std::uint8_t>((b << n) | (b >> (8 - n)));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::uint8_t ParseHexPair(std::string_view pair) {
  int hi = HexDigit(pair[0]);
  int lo = HexDigit(pair[1]);
  if (hi < 0 || lo < 0)
    throw qv::EConvertError("'$" + std::string(pair) + "' is not a valid integer value");
  return static_cast<std::uint8_t>(hi * 16 + lo);
}

std::string EncodeBytes(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::uint8_t b = RotateRight(static_cast<std::uint8_t>(bytes[i]), (i + 1) % 8);
    out += kHex[b >> 4];
    out += kHex[b & 0x0F];
  }
  return out;
}

// A workstation code page the platform cannot convert leaves the bytes as
// they are rather than failing the profile.
std::string ToAnsiBytes(std::string_view utf8) {
  std::string bytes;
  return qv::TryUtf8ToCodePage(utf8, qv::GetAnsiCodePage(), bytes) ? bytes : std::string(utf8);
}

std::string FromAnsiBytes(const std::string& bytes) {
  std::string utf8;
  return qv::TryCodePageToUtf8(bytes, qv::GetAnsiCodePage(), utf8) ? utf8 : bytes;
}

}  // namespace

std::string EncodePassword(std::string_view plain) {
  if (plain.empty()) return EncodeBytes(kEmptyPasswordMarker);
  return EncodeBytes(ToAnsiBytes(plain));
}

std::string DecodePassword(std::string_view stored) {
  std::string bytes;
  try {
    for (std::size_t i = 1; 2 * i <= stored.size(); ++i)
      bytes += static_cast<char>(RotateLeft(ParseHexPair(stored.substr(2 * (i - 1), 2)), i % 8));
  } catch (const qv::Exception& e) {
    LogException(&e, EncodePassword("DecodeSQLSa"), "解析 Sa 时发生错误!");
    return std::string(kPasswordError);
  }
  if (bytes == kEmptyPasswordMarker) return "";
  return FromAnsiBytes(bytes);
}

}  // namespace ravlet
