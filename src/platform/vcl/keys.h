#pragma once
// Virtual key codes and the shift state of key and mouse events.

#include <cstdint>

#include "platform/vcl/enum_type.h"
#include "platform/vcl/set.h"

namespace qv {

using Word = uint16_t;

QV_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble);
using TShiftState = TSet<TShiftStateItem>;

constexpr Word VK_LBUTTON = 0x01;
constexpr Word VK_RBUTTON = 0x02;
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;
constexpr Word VK_NEXT = 0x22;
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F6 = 0x75;
constexpr Word VK_F7 = 0x76;
constexpr Word VK_F8 = 0x77;
constexpr Word VK_F9 = 0x78;
constexpr Word VK_F10 = 0x79;
constexpr Word VK_F11 = 0x7A;
constexpr Word VK_F12 = 0x7B;
// Letters and digits use their upper-case character codes ('A', '0').

// The character a key produces when typed, or 0 for keys that type nothing.
// Letters give their lower-case form, or upper case with ssShift.
char32_t KeyToChar(Word key, TShiftState shift);

}  // namespace qv
