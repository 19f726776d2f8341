#pragma once
// Putting the two ends of a range in order: whether a begin text and an end
// text change places when the person leaves the range, by value type. Reading
// never fails; a text that cannot be read counts as the smallest value of its
// kind (0, or no date).

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/select_panel_types.h"
#include "platform/system/date_time.h"

namespace ravlet {

struct TRangeOrderRules {
  TValueType ValueType = vt_String;
  // vt_Date only: False leaves every date range as typed.
  bool AutoChangeDateSite = true;
  TDateType DateType = dt_NoneCare;
  std::string DateSign = "/";
  // A range with an end equal to Discard (trimmed) is left as typed.
  bool UseDiscard = false;
  std::string Discard;
  // The text an empty edit shows under the edit mask; an end that equals it
  // is left as typed.
  std::string EmptyMaskText;
};

// True when begin and end should change places. Both texts are taken as they
// stand (the caller trims and, for vt_Float, rewrites them first); an empty
// end never changes places.
bool RangeNeedsExchange(const TRangeOrderRules& rules, std::string_view begin,
                        std::string_view end);

// A date text in the order of type with sign between its parts, as a day
// number (0 = 1899-12-30). A text with one sign holds year and month only and
// reads as the first of that month. Blank texts, the empty mask text, texts
// with another number of signs, parts that are no numbers, impossible dates
// and dt_NoneCare read as 0.
qv::TDateTime ReadRangeDate(std::string_view text, TDateType type, std::string_view sign,
                            std::string_view empty_mask_text);

// A whole number; 0 when the text is none.
int64_t ReadRangeNumber(std::string_view text);

// The number a vt_Float end is rewritten into: an optional "-", the whole
// part without leading zeros, and the digits after "." as typed. A part that
// is no number counts as 0 (the whole part) or is left out (the fraction), so
// the result always reads as a number and keeps the value typed.
std::string CanonicalFloatText(std::string_view text);

// Compares two texts made by CanonicalFloatText by their exact value:
// < 0, 0 or > 0.
int CompareCanonicalFloats(std::string_view a, std::string_view b);

}  // namespace ravlet
