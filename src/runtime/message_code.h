#pragma once
// Message codes: how runtime services hand failures back to the windows.
// A code is a type letter, ";", a message number (six digits by convention)
// and optional ";"-separated argument texts, e.g. "E;000015" or
// "I;-000004;reply". A "-" before the number records the message without
// showing it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravlet {

// The installation's registry key cannot be opened.
inline constexpr std::string_view kMsgRegistryKeyMissing = "E;000015";
// The client profile names no application server.
inline constexpr std::string_view kMsgNoApplicationServer = "E;000016";

struct MessageCode {
  char Type = 'E';                     // E, W, I, Q, C, D (any ASCII letter parses)
  std::string Id;                      // the digits as written, without the "-"
  bool Shown = true;                   // false when the number carried a "-"
  std::vector<std::string> Arguments;  // texts after the number, in order

  // The message number; 0 when Id holds no digits.
  int Number() const;
  // The number as written in a code: "-" when not shown, then the digits.
  std::string IdText() const;

  bool operator==(const MessageCode&) const = default;
};

// Parses a message code. Returns nothing for a text that is not one; `why`,
// when given, receives a short reason.
std::optional<MessageCode> ParseMessageCode(std::string_view text, std::string* why = nullptr);

bool IsMessageCode(std::string_view text);

// The text of a code. Throws qv::EConvertError when the parts could not be
// read back as the same code (a type that is not a letter, an Id that is not
// 1..6 digits, an argument holding ";").
std::string FormatMessageCode(const MessageCode& code);

// Builds a code from a type letter and number, the number written with six
// digits: MakeMessageCode('E', 15) == "E;000015".
std::string MakeMessageCode(char type, int number, bool shown = true,
                            const std::vector<std::string>& arguments = {});

}  // namespace ravlet
