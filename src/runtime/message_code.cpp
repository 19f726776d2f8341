#include "runtime/message_code.h"

#include <cstdio>

#include "platform/core/exception.h"

namespace ravlet {
namespace {

constexpr std::size_t kMaxIdDigits = 6;

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::optional<MessageCode> Fail(std::string* why, const char* reason) {
  if (why) *why = reason;
  return std::nullopt;
}

}  // namespace

int MessageCode::Number() const {
  int n = 0;
  for (char c : Id) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::string MessageCode::IdText() const {
  return (Shown ? "" : "-") + Id;
}

std::optional<MessageCode> ParseMessageCode(std::string_view text, std::string* why) {
  if (text.size() < 3 || text[1] != ';')
    return Fail(why, "not a message code: expected a type letter and \";\"");
  if (!IsAsciiLetter(text[0])) return Fail(why, "not a message code: the type is not a letter");
  MessageCode code;
  code.Type = text[0];
  std::string_view rest = text.substr(2);
  std::size_t end = rest.find(';');
  std::string_view id = rest.substr(0, end);
  if (!id.empty() && id.front() == '-') {
    code.Shown = false;
    id.remove_prefix(1);
  }
  if (!IsDigits(id) || id.size() > kMaxIdDigits)
    return Fail(why, "not a message code: the number is not 1 to 6 digits");
  code.Id = std::string(id);
  while (end != std::string_view::npos) {
    rest.remove_prefix(end + 1);
    end = rest.find(';');
    code.Arguments.emplace_back(rest.substr(0, end));
  }
  if (why) why->clear();
  return code;
}

bool IsMessageCode(std::string_view text) {
  return ParseMessageCode(text).has_value();
}

std::string FormatMessageCode(const MessageCode& code) {
  if (!IsAsciiLetter(code.Type)) throw qv::EConvertError("Message code type must be a letter");
  if (!IsDigits(code.Id) || code.Id.size() > kMaxIdDigits)
    throw qv::EConvertError("Message number '" + code.Id + "' is not 1 to 6 digits");
  std::string text(1, code.Type);
  text += ';';
  text += code.IdText();
  for (const auto& arg : code.Arguments) {
    if (arg.find(';') != std::string::npos)
      throw qv::EConvertError("Message code argument '" + arg + "' contains \";\"");
    text += ';';
    text += arg;
  }
  return text;
}

std::string MakeMessageCode(char type, int number, bool shown,
                            const std::vector<std::string>& arguments) {
  if (number < 0 || number > 999999)
    throw qv::EConvertError("Message number " + std::to_string(number) + " is out of range");
  char digits[8];
  std::snprintf(digits, sizeof digits, "%06d", number);
  return FormatMessageCode(MessageCode{type, digits, shown, arguments});
}

}  // namespace ravlet
