#include "key_names.h"

#include <array>
#include <string_view>

#include "platform/text/string_utils.h"

namespace ravlet::host {

namespace {

struct TKeyName {
  std::string_view Name;
  qv::Word Key;
};

constexpr std::array<TKeyName, 22> kKeyNames = {{
    {"Backspace", qv::VK_BACK}, {"Back", qv::VK_BACK},     {"Tab", qv::VK_TAB},
    {"Enter", qv::VK_RETURN},   {"Return", qv::VK_RETURN}, {"Esc", qv::VK_ESCAPE},
    {"Escape", qv::VK_ESCAPE},  {"Space", qv::VK_SPACE},   {"PageUp", qv::VK_PRIOR},
    {"Prior", qv::VK_PRIOR},    {"PageDown", qv::VK_NEXT}, {"Next", qv::VK_NEXT},
    {"End", qv::VK_END},        {"Home", qv::VK_HOME},     {"Left", qv::VK_LEFT},
    {"Up", qv::VK_UP},          {"Right", qv::VK_RIGHT},   {"Down", qv::VK_DOWN},
    {"Insert", qv::VK_INSERT},  {"Delete", qv::VK_DELETE}, {"Shift", qv::VK_SHIFT},
    {"Ctrl", qv::VK_CONTROL},
}};

qv::TShiftStateItem ParseShiftItem(const std::string& name) {
  std::string_view plain = name;
  if (plain.size() > 2 && (plain.substr(0, 2) == "ss" || plain.substr(0, 2) == "SS"))
    plain.remove_prefix(2);
  if (qv::SameText(plain, "Shift")) return qv::ssShift;
  if (qv::SameText(plain, "Ctrl") || qv::SameText(plain, "Control")) return qv::ssCtrl;
  if (qv::SameText(plain, "Alt")) return qv::ssAlt;
  throw EJsonError("Unknown shift state \"" + name + "\": use Shift, Ctrl or Alt");
}

}  // namespace

qv::Word ParseKey(const JsonValue& key) {
  if (key.IsNumber()) {
    const int64_t code = key.AsInteger();
    if (code < 1 || code > 255) throw EJsonError("A virtual key is a number from 1 to 255");
    return static_cast<qv::Word>(code);
  }
  const std::string& name = key.AsString();
  if (name.size() == 1) {
    const char c = name[0];
    if (c >= '0' && c <= '9') return static_cast<qv::Word>(c);
    if (c >= 'a' && c <= 'z') return static_cast<qv::Word>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<qv::Word>(c);
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    int number = 0;
    if (qv::TryStrToInt(name.substr(1), number) && number >= 1 && number <= 12)
      return static_cast<qv::Word>(qv::VK_F1 + number - 1);
  }
  for (const TKeyName& known : kKeyNames)
    if (qv::SameText(known.Name, name)) return known.Key;
  throw EJsonError("Unknown key \"" + name + "\"");
}

qv::TShiftState ParseShift(const JsonValue& shift) {
  qv::TShiftState state;
  if (shift.IsNull()) return state;
  if (shift.IsString()) return state.Include(ParseShiftItem(shift.AsString()));
  for (const JsonValue& item : shift.Items()) state.Include(ParseShiftItem(item.AsString()));
  return state;
}

}  // namespace ravlet::host
