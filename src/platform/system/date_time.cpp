#include "platform/system/date_time.h"

#include <cmath>
#include <mutex>

#include "platform/core/exception.h"
#include "platform/system/clock.h"

namespace qv {
namespace {

// 9999-12-31 and 0001-01-01 as day numbers.
constexpr long long kMaxDay = 2958465;
constexpr long long kMinDay = -693593;

std::mutex& SettingsMutex() {
  static std::mutex mutex;
  return mutex;
}

TFormatSettings& CurrentSettings() {
  static TFormatSettings settings;
  return settings;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

constexpr long long kUnixToSerial = 25569;  // 1970-01-01 as a day number

// Splits a value into its day number and milliseconds of the day the way the
// framework does: rounded to milliseconds, days toward zero, time absolute.
bool SplitValue(TDateTime value, long long& days, long long& msecOfDay) {
  if (!std::isfinite(value) || value > kMaxDay + 1 || value < kMinDay - 1) return false;
  const long long msecs = std::llround(value * static_cast<double>(MSecsPerDay));
  days = msecs / MSecsPerDay;
  msecOfDay = (msecs < 0 ? -msecs : msecs) % MSecsPerDay;
  return true;
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool StartsWithNoCase(const std::string& text, size_t pos, const char* prefix) {
  for (size_t i = 0; prefix[i] != '\0'; ++i) {
    if (pos + i >= text.size() || UpperAscii(text[pos + i]) != UpperAscii(prefix[i])) return false;
  }
  return true;
}

bool StartsWithNoCase(const std::string& text, size_t pos, const std::string& prefix) {
  return !prefix.empty() && StartsWithNoCase(text, pos, prefix.c_str());
}

class DateTimeFormatter {
 public:
  DateTimeFormatter(TDateTime value, const TFormatSettings& settings) : settings_(settings) {
    long long days = 0;
    long long msec = 0;
    if (SplitValue(value, days, msec)) {
      if (days >= kMinDay && days <= kMaxDay) {
        CivilFromDays(days - kUnixToSerial, year_, month_, day_);
        dayOfWeek_ = static_cast<int>(((days + DateDelta) % 7 + 7) % 7);
      }
      hour_ = static_cast<int>(msec / 3600000);
      min_ = static_cast<int>(msec / 60000 % 60);
      sec_ = static_cast<int>(msec / 1000 % 60);
      msec_ = static_cast<int>(msec % 1000);
    }
  }

  std::string Format(const std::string& format) {
    Append(format.empty() ? std::string("c") : format, 0);
    return out_;
  }

 private:
  void Number(int value, size_t digits) {
    std::string text = std::to_string(value);
    if (text.size() < digits) out_.append(digits - text.size(), '0');
    out_ += text;
  }

  // Names are looked up only for a real date; an out-of-range value has none.
  void Name(const std::string* names, size_t count, int index) {
    if (index >= 0 && static_cast<size_t>(index) < count) out_ += names[index];
  }

  bool UsesTwelveHourClock(const std::string& format, size_t pos) const {
    while (pos < format.size()) {
      char c = format[pos];
      if (c == '\'' || c == '"') {
        size_t close = format.find(c, pos + 1);
        if (close == std::string::npos) return false;
        pos = close + 1;
        continue;
      }
      char upper = UpperAscii(c);
      if (upper == 'H') return false;
      if (upper == 'A' &&
          (StartsWithNoCase(format, pos, "AM/PM") || StartsWithNoCase(format, pos, "A/P") ||
           StartsWithNoCase(format, pos, "AMPM"))) {
        return true;
      }
      ++pos;
    }
    return false;
  }

  void Append(const std::string& format, int level) {
    size_t pos = 0;
    while (pos < format.size()) {
      const char starter = format[pos];
      char token = UpperAscii(starter);
      if (token >= 'A' && token <= 'Z') {
        if (token == 'M' && lastToken_ == 'H') token = 'N';
        lastToken_ = token;
      }
      size_t count = 1;
      auto countRun = [&] {
        while (pos + count < format.size() &&
               UpperAscii(format[pos + count]) == UpperAscii(starter))
          ++count;
      };
      switch (token) {
        case 'Y':
          countRun();
          if (count <= 2) {
            Number(year_ % 100, 2);
          } else {
            Number(year_, 4);
          }
          pos += count;
          break;
        case 'M':
          countRun();
          if (count <= 2) {
            Number(month_, count);
          } else if (count == 3) {
            Name(settings_.ShortMonthNames.data(), 12, month_ - 1);
          } else {
            Name(settings_.LongMonthNames.data(), 12, month_ - 1);
          }
          pos += count;
          break;
        case 'D':
          countRun();
          if (count <= 2) {
            Number(day_, count);
          } else if (count == 3) {
            Name(settings_.ShortDayNames.data(), 7, year_ ? dayOfWeek_ : -1);
          } else if (count == 4) {
            Name(settings_.LongDayNames.data(), 7, year_ ? dayOfWeek_ : -1);
          } else if (level < 2) {
            Append(count == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat, level + 1);
          }
          pos += count;
          break;
        case 'H': {
          countRun();
          int hour = hour_;
          if (UsesTwelveHourClock(format, pos + count)) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          Number(hour, count > 2 ? 2 : count);
          pos += count;
          break;
        }
        case 'N':
          countRun();
          Number(min_, count > 2 ? 2 : count);
          pos += count;
          break;
        case 'S':
          countRun();
          Number(sec_, count > 2 ? 2 : count);
          pos += count;
          break;
        case 'Z':
          countRun();
          Number(msec_, count > 3 ? 3 : count);
          pos += count;
          break;
        case 'T':
          countRun();
          if (level < 2) {
            Append(count == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, level + 1);
          }
          pos += count;
          break;
        case 'C':
          countRun();
          if (level < 2) {
            Append(settings_.ShortDateFormat, level + 1);
            if (hour_ != 0 || min_ != 0 || sec_ != 0) {
              out_ += ' ';
              Append(settings_.LongTimeFormat, level + 1);
            }
          }
          pos += count;
          break;
        case 'A':
          if (StartsWithNoCase(format, pos, "AM/PM")) {
            out_.append(format, hour_ >= 12 ? pos + 3 : pos, 2);
            pos += 5;
          } else if (StartsWithNoCase(format, pos, "A/P")) {
            out_ += format[hour_ >= 12 ? pos + 2 : pos];
            pos += 3;
          } else if (StartsWithNoCase(format, pos, "AMPM")) {
            out_ += hour_ >= 12 ? settings_.TimePMString : settings_.TimeAMString;
            pos += 4;
          } else {
            out_ += starter;
            ++pos;
          }
          break;
        case '/':
          if (settings_.DateSeparator != '\0') out_ += settings_.DateSeparator;
          ++pos;
          break;
        case ':':
          if (settings_.TimeSeparator != '\0') out_ += settings_.TimeSeparator;
          ++pos;
          break;
        case '\'':
        case '"': {
          size_t close = format.find(starter, pos + 1);
          if (close == std::string::npos) close = format.size();
          out_.append(format, pos + 1, close - pos - 1);
          pos = close + 1;
          break;
        }
        default:
          out_ += starter;
          ++pos;
          break;
      }
    }
  }

  const TFormatSettings& settings_;
  std::string out_;
  char lastToken_ = '\0';
  int year_ = 0, month_ = 0, day_ = 0, dayOfWeek_ = 0;
  int hour_ = 0, min_ = 0, sec_ = 0, msec_ = 0;
};

enum class DateOrder { MDY, DMY, YMD };

DateOrder GetDateOrder(const std::string& format) {
  for (size_t i = 0; i < format.size(); ++i) {
    char c = UpperAscii(format[i]);
    if (c == '\'' || c == '"') {
      size_t close = format.find(format[i], i + 1);
      if (close == std::string::npos) break;
      i = close;
      continue;
    }
    if (c == 'Y') return DateOrder::YMD;
    if (c == 'M') return DateOrder::MDY;
    if (c == 'D') return DateOrder::DMY;
  }
  return DateOrder::MDY;
}

// A cursor over the text being read.
struct Scanner {
  const std::string& text;
  size_t pos = 0;

  void SkipBlanks() {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos >= text.size();
  }
  bool Char(char c) {
    SkipBlanks();
    if (c != '\0' && pos < text.size() && text[pos] == c) {
      ++pos;
      return true;
    }
    return false;
  }
  // Up to four digits.
  bool Number(int& value, int& digits) {
    SkipBlanks();
    value = 0;
    digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
      if (digits == 4) return false;
      value = value * 10 + (text[pos] - '0');
      ++digits;
      ++pos;
    }
    return digits > 0;
  }
  bool Text(const std::string& word) {
    SkipBlanks();
    if (!StartsWithNoCase(text, pos, word)) return false;
    pos += word.size();
    return true;
  }
};

int CurrentYear() {
  int year = 0, month = 0, day = 0;
  DecodeDate(Now(), year, month, day);
  return year;
}

bool ScanDate(Scanner& in, TDateTime& date, const TFormatSettings& settings) {
  const DateOrder order = GetDateOrder(settings.ShortDateFormat);
  int n1 = 0, n2 = 0, n3 = 0, l1 = 0, l2 = 0, l3 = 0;
  if (!in.Number(n1, l1) || !in.Char(settings.DateSeparator) || !in.Number(n2, l2)) return false;
  int year = 0, month = 0, day = 0, yearDigits = 4;
  size_t afterTwo = in.pos;
  if (in.Char(settings.DateSeparator) && in.Number(n3, l3)) {
    switch (order) {
      case DateOrder::MDY:
        year = n3, yearDigits = l3, month = n1, day = n2;
        break;
      case DateOrder::DMY:
        year = n3, yearDigits = l3, month = n2, day = n1;
        break;
      case DateOrder::YMD:
        year = n1, yearDigits = l1, month = n2, day = n3;
        break;
    }
  } else {
    in.pos = afterTwo;
    year = CurrentYear();
    if (order == DateOrder::DMY) {
      day = n1, month = n2;
    } else {
      month = n1, day = n2;
    }
  }
  if (yearDigits <= 2) {
    const int window = settings.TwoDigitYearCenturyWindow;
    const int century = CurrentYear() - window;
    year += century / 100 * 100;
    if (window > 0 && year < century) year += 100;
  }
  return TryEncodeDate(year, month, day, date);
}

bool ScanAmPm(Scanner& in, const TFormatSettings& settings, int& baseHour) {
  size_t start = in.pos;
  if (in.Text(settings.TimeAMString) || in.Text("AM")) {
    baseHour = 0;
    return true;
  }
  in.pos = start;
  if (in.Text(settings.TimePMString) || in.Text("PM")) {
    baseHour = 12;
    return true;
  }
  in.pos = start;
  return false;
}

bool ScanTime(Scanner& in, TDateTime& time, const TFormatSettings& settings) {
  int baseHour = -1;
  ScanAmPm(in, settings, baseHour);
  int hour = 0, min = 0, sec = 0, msec = 0, digits = 0;
  if (!in.Number(hour, digits)) return false;
  bool hasMinutes = false;
  if (in.Char(settings.TimeSeparator)) {
    if (!in.Number(min, digits)) return false;
    hasMinutes = true;
    if (in.Char(settings.TimeSeparator)) {
      if (!in.Number(sec, digits)) return false;
      if (in.Char('.')) {
        if (!in.Number(msec, digits) || digits > 3) return false;
        for (; digits < 3; ++digits) msec *= 10;
      }
    }
  }
  if (baseHour < 0) ScanAmPm(in, settings, baseHour);
  if (!hasMinutes && baseHour < 0) return false;
  if (baseHour >= 0) {
    if (hour == 0 || hour > 12) return false;
    if (hour == 12) hour = 0;
    hour += baseHour;
  }
  return TryEncodeTime(hour, min, sec, msec, time);
}

}  // namespace

TFormatSettings GetFormatSettings() {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  return CurrentSettings();
}

void SetFormatSettings(const TFormatSettings& settings) {
  std::lock_guard<std::mutex> lock(SettingsMutex());
  CurrentSettings() = settings;
}

ScopedFormatSettings::ScopedFormatSettings(const TFormatSettings& settings)
    : previous_(GetFormatSettings()) {
  SetFormatSettings(settings);
}

ScopedFormatSettings::~ScopedFormatSettings() {
  SetFormatSettings(previous_);
}

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInAMonth(year, month);
}

bool IsValidTime(int hour, int min, int sec, int msec) {
  return hour >= 0 && hour < 24 && min >= 0 && min < 60 && sec >= 0 && sec < 60 && msec >= 0 &&
         msec < 1000;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (!IsValidDate(year, month, day)) return false;
  date = static_cast<TDateTime>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixToSerial);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) {
    throw EConvertError("Invalid argument to date encode: " + std::to_string(year) + "-" +
                        std::to_string(month) + "-" + std::to_string(day));
  }
  return date;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  long long days = 0, msec = 0;
  if (!SplitValue(date, days, msec) || days < kMinDay || days > kMaxDay) {
    year = month = day = 0;
    return;
  }
  CivilFromDays(days - kUnixToSerial, year, month, day);
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
  if (!IsValidTime(hour, min, sec, msec)) return false;
  time = ((hour * 3600000LL) + (min * 60000LL) + sec * 1000LL + msec) /
         static_cast<double>(MSecsPerDay);
  return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime time = 0;
  if (!TryEncodeTime(hour, min, sec, msec, time)) {
    throw EConvertError("Invalid argument to time encode: " + std::to_string(hour) + ":" +
                        std::to_string(min) + ":" + std::to_string(sec) + "." +
                        std::to_string(msec));
  }
  return time;
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
  long long days = 0, ms = 0;
  if (!SplitValue(time, days, ms)) {
    hour = min = sec = msec = 0;
    return;
  }
  hour = static_cast<int>(ms / 3600000);
  min = static_cast<int>(ms / 60000 % 60);
  sec = static_cast<int>(ms / 1000 % 60);
  msec = static_cast<int>(ms % 1000);
}

bool TryEncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec,
                       TDateTime& value) {
  TDateTime date = 0, time = 0;
  if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, min, sec, msec, time)) {
    return false;
  }
  value = date >= 0 ? date + time : date - time;
  return true;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec) {
  TDateTime time = EncodeTime(hour, min, sec, msec);
  TDateTime date = EncodeDate(year, month, day);
  return date >= 0 ? date + time : date - time;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec) {
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, min, sec, msec);
}

int DayOfWeek(TDateTime date) {
  long long days = 0, msec = 0;
  if (!SplitValue(date, days, msec)) return 0;
  return static_cast<int>(((days + DateDelta) % 7 + 7) % 7) + 1;
}

TDateTime IncMonth(TDateTime date, int months) {
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  if (year == 0) throw EConvertError("Invalid date value");
  long long total = static_cast<long long>(year) * 12 + (month - 1) + months;
  long long newYear = total >= 0 ? total / 12 : (total - 11) / 12;
  int newMonth = static_cast<int>(total - newYear * 12) + 1;
  if (newYear < 1 || newYear > 9999) throw EConvertError("Date out of range after adding months");
  int lastDay = DaysInAMonth(static_cast<int>(newYear), newMonth);
  TDateTime result = EncodeDate(static_cast<int>(newYear), newMonth, day > lastDay ? lastDay : day);
  TDateTime time = TimeOf(date);
  return result >= 0 ? result + time : result - time;
}

TDateTime IncDay(TDateTime date, int days) {
  return date + days;
}

TDateTime DateOf(TDateTime value) {
  long long days = 0, msec = 0;
  if (!SplitValue(value, days, msec)) return std::isfinite(value) ? std::trunc(value) : 0;
  return static_cast<TDateTime>(days);
}

TDateTime TimeOf(TDateTime value) {
  long long days = 0, msec = 0;
  if (!SplitValue(value, days, msec)) return 0;
  return static_cast<double>(msec) / static_cast<double>(MSecsPerDay);
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
  return FormatDateTime(format, value, GetFormatSettings());
}

std::string FormatDateTime(const std::string& format, TDateTime value,
                           const TFormatSettings& settings) {
  return DateTimeFormatter(value, settings).Format(format);
}

std::string DateToStr(TDateTime date) {
  return FormatDateTime("ddddd", date);
}

std::string TimeToStr(TDateTime time) {
  return FormatDateTime("tt", time);
}

std::string DateTimeToStr(TDateTime value) {
  return FormatDateTime("c", value);
}

bool TryStrToDate(const std::string& text, TDateTime& date) {
  return TryStrToDate(text, date, GetFormatSettings());
}

bool TryStrToDate(const std::string& text, TDateTime& date, const TFormatSettings& settings) {
  Scanner in{text};
  TDateTime value = 0;
  if (!ScanDate(in, value, settings) || !in.AtEnd()) return false;
  date = value;
  return true;
}

TDateTime StrToDate(const std::string& text) {
  TDateTime date = 0;
  if (!TryStrToDate(text, date)) throw EConvertError("'" + text + "' is not a valid date");
  return date;
}

bool TryStrToTime(const std::string& text, TDateTime& time) {
  TFormatSettings settings = GetFormatSettings();
  Scanner in{text};
  TDateTime value = 0;
  if (!ScanTime(in, value, settings) || !in.AtEnd()) return false;
  time = value;
  return true;
}

TDateTime StrToTime(const std::string& text) {
  TDateTime time = 0;
  if (!TryStrToTime(text, time)) throw EConvertError("'" + text + "' is not a valid time");
  return time;
}

bool TryStrToDateTime(const std::string& text, TDateTime& value) {
  TFormatSettings settings = GetFormatSettings();
  Scanner in{text};
  TDateTime date = 0;
  if (ScanDate(in, date, settings)) {
    TDateTime time = 0;
    if (in.AtEnd()) {
      value = date;
      return true;
    }
    if (ScanTime(in, time, settings) && in.AtEnd()) {
      value = date >= 0 ? date + time : date - time;
      return true;
    }
  }
  return TryStrToTime(text, value);
}

TDateTime StrToDateTime(const std::string& text) {
  TDateTime value = 0;
  if (!TryStrToDateTime(text, value)) {
    throw EConvertError("'" + text + "' is not a valid date and time");
  }
  return value;
}

}  // namespace qv
