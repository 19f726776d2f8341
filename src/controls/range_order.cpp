#include "controls/range_order.h"

#include <algorithm>
#include <vector>

#include "platform/text/string_utils.h"

namespace ravlet {

namespace {

constexpr int kRocYearOffset = 1911;

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

int CountOccurrences(std::string_view text, std::string_view sign) {
  int count = 0;
  for (size_t at = text.find(sign); at != std::string_view::npos;
       at = text.find(sign, at + sign.size()))
    ++count;
  return count;
}

std::vector<std::string> SplitAt(std::string_view text, std::string_view sign) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at = text.find(sign); at != std::string_view::npos; at = text.find(sign, start)) {
    parts.emplace_back(text.substr(start, at - start));
    start = at + sign.size();
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

// A year-month text gets its first day, placed where the date type puts the day.
std::string CompleteDay(const std::string& text, TDateType type, std::string_view sign) {
  const std::string s(sign);
  switch (type) {
    case dt_YYYYMMDD:
    case dt_YYMMDD:
    case dt_YYYMMDD:
      return text + s + "01";
    case dt_MMDDYYYY:
      return text.substr(0, 2) + s + "01" + (text.size() > 2 ? text.substr(2, 5) : std::string());
    case dt_DDMMYYYY:
      return "01" + s + text;
    default:
      return text;
  }
}

struct DecimalNumber {
  bool negative = false;
  std::string_view whole;
  std::string_view fraction;
};

DecimalNumber SplitDecimal(std::string_view text) {
  DecimalNumber number;
  if (!text.empty() && text.front() == '-') {
    number.negative = true;
    text.remove_prefix(1);
  }
  const size_t dot = text.find('.');
  number.whole = text.substr(0, dot);
  if (dot != std::string_view::npos) number.fraction = text.substr(dot + 1);
  while (number.whole.size() > 1 && number.whole.front() == '0') number.whole.remove_prefix(1);
  while (!number.fraction.empty() && number.fraction.back() == '0')
    number.fraction.remove_suffix(1);
  if (number.whole.empty()) number.whole = "0";
  if (number.whole == "0" && number.fraction.empty()) number.negative = false;
  return number;
}

int CompareMagnitude(const DecimalNumber& a, const DecimalNumber& b) {
  if (a.whole.size() != b.whole.size()) return a.whole.size() < b.whole.size() ? -1 : 1;
  if (const int c = a.whole.compare(b.whole); c != 0) return c < 0 ? -1 : 1;
  const size_t digits = std::max(a.fraction.size(), b.fraction.size());
  for (size_t i = 0; i < digits; ++i) {
    const char da = i < a.fraction.size() ? a.fraction[i] : '0';
    const char db = i < b.fraction.size() ? b.fraction[i] : '0';
    if (da != db) return da < db ? -1 : 1;
  }
  return 0;
}

}  // namespace

int64_t ReadRangeNumber(std::string_view text) {
  return qv::StrToInt64Def(text, 0);
}

qv::TDateTime ReadRangeDate(std::string_view text, TDateType type, std::string_view sign,
                            std::string_view empty_mask_text) {
  std::string date = qv::Trim(text);
  if (date.empty() || date == qv::Trim(empty_mask_text)) return 0;
  if (sign.empty()) return 0;
  const int signs = CountOccurrences(date, sign);
  if (signs != 1 && signs != 2) return 0;
  if (signs == 1) date = CompleteDay(date, type, sign);

  const std::vector<std::string> parts = SplitAt(date, sign);
  if (parts.size() != 3) return 0;
  int numbers[3] = {};
  for (int i = 0; i < 3; ++i)
    if (!qv::TryStrToInt(qv::Trim(parts[i]), numbers[i])) return 0;

  int year = 0, month = 0, day = 0;
  switch (type) {
    case dt_YYYYMMDD:
      year = numbers[0], month = numbers[1], day = numbers[2];
      break;
    case dt_MMDDYYYY:
      year = numbers[2], month = numbers[0], day = numbers[1];
      break;
    case dt_DDMMYYYY:
      year = numbers[2], month = numbers[1], day = numbers[0];
      break;
    case dt_YYMMDD:
    case dt_YYYMMDD:
      if (numbers[0] > 9999) return 0;
      year = numbers[0] + kRocYearOffset, month = numbers[1], day = numbers[2];
      break;
    default:
      return 0;
  }
  qv::TDateTime value = 0;
  return qv::TryEncodeDate(year, month, day, value) ? value : 0;
}

std::string CanonicalFloatText(std::string_view text) {
  const std::string trimmed = qv::Trim(text);
  const size_t dot = trimmed.find('.');
  std::string whole = qv::Trim(std::string_view(trimmed).substr(0, dot));
  std::string fraction = dot == std::string::npos
                             ? std::string()
                             : qv::Trim(std::string_view(trimmed).substr(dot + 1));

  bool negative = false;
  if (!whole.empty() && (whole.front() == '-' || whole.front() == '+')) {
    negative = whole.front() == '-';
    whole.erase(0, 1);
  }
  if (!AllDigits(whole)) {
    whole.clear();
    negative = false;
  }
  const size_t first = whole.find_first_not_of('0');
  whole = first == std::string::npos ? "0" : whole.substr(first);
  if (!AllDigits(fraction)) fraction.clear();

  const bool zero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
  std::string result = negative && !zero ? "-" : "";
  result += whole;
  if (!fraction.empty()) result += "." + fraction;
  return result;
}

int CompareCanonicalFloats(std::string_view a, std::string_view b) {
  const DecimalNumber x = SplitDecimal(a);
  const DecimalNumber y = SplitDecimal(b);
  if (x.negative != y.negative) return x.negative ? -1 : 1;
  const int magnitude = CompareMagnitude(x, y);
  return x.negative ? -magnitude : magnitude;
}

bool RangeNeedsExchange(const TRangeOrderRules& rules, std::string_view begin,
                        std::string_view end) {
  if (begin.empty() || end.empty()) return false;

  const auto exempt = [&] {
    if (begin == rules.EmptyMaskText || end == rules.EmptyMaskText) return true;
    return rules.UseDiscard && (qv::Trim(begin) == rules.Discard || qv::Trim(end) == rules.Discard);
  };

  switch (rules.ValueType) {
    case vt_String:
    case vt_Time:
      return !exempt() && qv::CompareStr(begin, end) > 0;
    case vt_Date:
      if (!rules.AutoChangeDateSite || exempt()) return false;
      if (rules.DateType == dt_NoneCare) return qv::CompareStr(begin, end) > 0;
      return ReadRangeDate(begin, rules.DateType, rules.DateSign, rules.EmptyMaskText) >
             ReadRangeDate(end, rules.DateType, rules.DateSign, rules.EmptyMaskText);
    case vt_Number:
      return ReadRangeNumber(begin) > ReadRangeNumber(end);
    case vt_Float:
      return CompareCanonicalFloats(CanonicalFloatText(end), CanonicalFloatText(begin)) < 0;
    default:
      return false;
  }
}

}  // namespace ravlet
