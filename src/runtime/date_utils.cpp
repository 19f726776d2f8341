#include "runtime/date_utils.h"

#include <cmath>
#include <cstdint>

#include "platform/system/date_time.h"
#include "platform/text/format.h"
#include "platform/text/string_utils.h"
#include "runtime/text_fields.h"

namespace ravlet {

namespace {

// Day counts of 0001-01-01 and 9999-12-31: every date value outside them would
// leave the calendar the platform can decode.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;
constexpr int kRocYearOffset = 1911;

struct DateParts {
  int year = 0;
  int month = 0;
  int day = 0;
};

// The calendar day of a date value; false for values outside the years 1 to 9999
// (and for NaN).
bool TryDecodeDay(qv::TDateTime value, DateParts& parts) {
  const double day = std::trunc(value);
  if (!(day >= kFirstDay && day <= kLastDay)) return false;
  qv::DecodeDate(day, parts.year, parts.month, parts.day);
  return true;
}

bool TryMakeDate(int64_t year, int64_t month, int64_t day, qv::TDateTime& value) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  return qv::TryEncodeDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                           value);
}

// A part of a date text read as a number; 0 when it is none.
int ReadNumberOrZero(std::string_view part) {
  int value = 0;
  return qv::TryStrToInt(part, value) ? value : 0;
}

// The first character of a UTF-8 separator, so that a multibyte one is not cut.
std::string FirstCharacter(std::string_view separator) {
  if (separator.empty()) return {};
  const unsigned char lead = static_cast<unsigned char>(separator[0]);
  size_t length = 1;
  if (lead >= 0xF0 && lead <= 0xF7) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = lead <= 0xEF ? 3 : 1;
  } else if (lead >= 0xC0) {
    length = 2;
  }
  if (length > separator.size()) length = 1;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(separator[i]) & 0xC0) != 0x80)
      return std::string(1, separator[0]);
  }
  return std::string(separator.substr(0, length));
}

std::string DateText(const DateParts& parts) {
  return qv::Format("%.4d%.2d%.2d", {parts.year, parts.month, parts.day});
}

}  // namespace

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  if (month == 2) return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0) ? 29 : 28;
  return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

qv::TDateTime StrToDateYMD(std::string_view text) {
  if (text.size() != 8) return 0;
  const int year = ReadNumberOrZero(text.substr(0, 4));
  const int month = ReadNumberOrZero(text.substr(4, 2));
  const int day = ReadNumberOrZero(text.substr(6, 2));
  if (year == 0 || month == 0 || day == 0) return 0;
  qv::TDateTime value = 0;
  return TryMakeDate(year, month, day, value) ? value : 0;
}

bool IsValidDateText(std::string_view text) {
  if (text.empty()) return true;
  if (text.size() != 8) return false;
  int year = 0, month = 0, day = 0;
  if (!qv::TryStrToInt(text.substr(0, 4), year) || !qv::TryStrToInt(text.substr(4, 2), month) ||
      !qv::TryStrToInt(text.substr(6, 2), day)) {
    return false;
  }
  qv::TDateTime value = 0;
  if (!TryMakeDate(year, month, day, value)) return false;
  return text >= "17530101" && text <= "99991231";
}

std::optional<std::string> FormatDateByType(TDateType type, std::string_view separator,
                                            qv::TDateTime date) {
  if (date == 0) return std::string();
  DateParts parts;
  const bool known = type >= dt_YYYYMMDD && type <= dt_YYYMMDD;
  if (!known) return std::nullopt;
  if (!TryDecodeDay(date, parts)) return std::string();
  const std::string sep = FirstCharacter(separator);
  const int y = parts.year, m = parts.month, d = parts.day, r = y - kRocYearOffset;
  switch (type) {
    case dt_YYYYMMDD:
      return qv::Format("%.4d%s%.2d%s%.2d", {y, sep, m, sep, d});
    case dt_MMDDYYYY:
      return qv::Format("%.2d%s%.2d%s%.4d", {m, sep, d, sep, y});
    case dt_DDMMYYYY:
      return qv::Format("%.2d%s%.2d%s%.4d", {d, sep, m, sep, y});
    case dt_YYMMDD:
      return qv::Format("%.2d%s%.2d%s%.2d", {r, sep, m, sep, d});
    default:
      return qv::Format("%.3d%s%.2d%s%.2d", {r, sep, m, sep, d});
  }
}

std::optional<std::string> FormatYearMonthByType(TDateType type, std::string_view separator,
                                                 qv::TDateTime date) {
  if (date == 0) return std::string();
  DateParts parts;
  const bool known = type >= dt_YYYYMMDD && type <= dt_YYYMMDD;
  if (!known) return std::nullopt;
  if (!TryDecodeDay(date, parts)) return std::string();
  const std::string sep = FirstCharacter(separator);
  const int y = parts.year, m = parts.month, r = y - kRocYearOffset;
  switch (type) {
    case dt_YYYYMMDD:
      return qv::Format("%.4d%s%.2d", {y, sep, m});
    case dt_MMDDYYYY:
    case dt_DDMMYYYY:
      return qv::Format("%.2d%s%.4d", {m, sep, y});
    case dt_YYMMDD:
      return qv::Format("%.2d%s%.2d", {r, sep, m});
    default:
      return qv::Format("%.3d%s%.2d", {r, sep, m});
  }
}

qv::TDateTime ParseDateByType(std::string_view text, TDateType type, std::string_view separator) {
  if (qv::Trim(text).empty()) return 0;
  std::string rest(text);
  int64_t parts[3];
  for (int64_t& part : parts) {
    int value = 0;
    part = qv::TryStrToInt(qv::Trim(SplitFirst(rest, separator)), value) ? value : -1;
    if (part <= 0) return 0;
  }
  int64_t year, month, day;
  switch (type) {
    case dt_YYYYMMDD:
      year = parts[0], month = parts[1], day = parts[2];
      break;
    case dt_MMDDYYYY:
      month = parts[0], day = parts[1], year = parts[2];
      break;
    case dt_DDMMYYYY:
      day = parts[0], month = parts[1], year = parts[2];
      break;
    case dt_YYMMDD:
    case dt_YYYMMDD:
      year = parts[0] + kRocYearOffset, month = parts[1], day = parts[2];
      break;
    default:
      return 0;
  }
  qv::TDateTime first = 0;
  if (!TryMakeDate(year, month, 1, first)) return 0;
  const double value = first + static_cast<double>(day - 1);
  return value <= kLastDay ? value : 0;
}

std::string ShiftDate(const qv::Variant& date, std::string_view unit, int count) {
  qv::TDateTime value = 0;
  if (date.IsNarrowStr()) {
    value = StrToDateYMD(date.AsNarrow());
  } else if (date.IsWideStr()) {
    value = StrToDateYMD(date.AsString());
  } else if (date.VarType() == qv::varDate || date.VarType() == qv::varDouble) {
    value = date.AsDouble();
  } else {
    return {};
  }
  DateParts parts;
  if (value == 0 || !TryDecodeDay(value, parts)) return {};

  if (qv::SameText(unit, "D")) {
    const double shifted = std::trunc(value) + count;
    DateParts result;
    return TryDecodeDay(shifted, result) ? DateText(result) : std::string();
  }
  int64_t year = parts.year;
  int64_t month = parts.month;
  if (qv::SameText(unit, "M")) {
    const int64_t months = year * 12 + (month - 1) + count;
    year = months >= 0 ? months / 12 : -((-months + 11) / 12);
    month = months - year * 12 + 1;
  } else if (qv::SameText(unit, "Y")) {
    year += count;
  } else {
    return {};
  }
  if (year < 1 || year > 9999) return {};
  DateParts result{static_cast<int>(year), static_cast<int>(month), parts.day};
  const int lastDay = DaysInMonth(result.year, result.month);
  if (result.day > lastDay) result.day = lastDay;
  return DateText(result);
}

}  // namespace ravlet
