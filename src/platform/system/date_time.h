#pragma once
// Date and time values as the original framework kept them: a double counting
// days since 1899-12-30, whose fraction is the time of day. Values before that
// day are negative; their time of day is the absolute fraction (-1.25 is
// 1899-12-29 06:00).

#include <array>
#include <string>

namespace qv {

using TDateTime = double;

// Number of milliseconds in a day and the day count of 1899-12-30 since 0001-01-01.
inline constexpr long long MSecsPerDay = 24LL * 60 * 60 * 1000;
inline constexpr int DateDelta = 693594;

// The process-wide formatting conventions used by the "…ToStr" and "StrTo…"
// functions and by FormatDateTime.
struct TFormatSettings {
  std::string ShortDateFormat = "yyyy/mm/dd";
  std::string LongDateFormat = "dddd, mmmm d, yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  // A two-digit year is placed within this many years before the current year
  // (0: in the current century).
  int TwoDigitYearCenturyWindow = 50;
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
  std::array<std::string, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
};
using FormatSettings = TFormatSettings;

TFormatSettings GetFormatSettings();
void SetFormatSettings(const TFormatSettings& settings);

// Restores the previous settings when it goes out of scope (for tests).
class ScopedFormatSettings {
 public:
  explicit ScopedFormatSettings(const TFormatSettings& settings);
  ~ScopedFormatSettings();
  ScopedFormatSettings(const ScopedFormatSettings&) = delete;
  ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

 private:
  TFormatSettings previous_;
};

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInAMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int min, int sec, int msec);

bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// Raises EConvertError on an invalid date (years 1 to 9999).
TDateTime EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime date, int& year, int& month, int& day);

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
// Raises EConvertError on an invalid time.
TDateTime EncodeTime(int hour, int min, int sec, int msec);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);

bool TryEncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec,
                       TDateTime& value);
// Raises EConvertError on an invalid date or time.
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec);

// 1 = Sunday … 7 = Saturday.
int DayOfWeek(TDateTime date);
// Keeps the time of day; a day beyond the end of the target month becomes its last day.
TDateTime IncMonth(TDateTime date, int months = 1);
TDateTime IncDay(TDateTime date, int days = 1);
// The date and the time part of a value (Trunc and the absolute fraction).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// Formats with the framework's format codes: c d dd ddd dddd ddddd dddddd m mm mmm
// mmmm yy yyyy h hh n nn s ss z zzz t tt am/pm a/p ampm, "/" and ":" for the
// separators of the settings, and text in single or double quotes kept as is.
// Codes are read without regard to case; m right after h is minutes.
std::string FormatDateTime(const std::string& format, TDateTime value);
std::string FormatDateTime(const std::string& format, TDateTime value,
                           const TFormatSettings& settings);

std::string DateToStr(TDateTime date);
std::string TimeToStr(TDateTime time);
// Short date, then a space and the long time unless the time of day is zero.
std::string DateTimeToStr(TDateTime value);

// Reads a date in the order of ShortDateFormat's y, m and d with the date
// separator; two numbers are a day and month of the current year.
bool TryStrToDate(const std::string& text, TDateTime& date);
bool TryStrToDate(const std::string& text, TDateTime& date, const TFormatSettings& settings);
TDateTime StrToDate(const std::string& text);  // raises EConvertError
// Hours, minutes, optional seconds and milliseconds, optional AM/PM.
bool TryStrToTime(const std::string& text, TDateTime& time);
TDateTime StrToTime(const std::string& text);  // raises EConvertError
// A date, a date followed by a time, or a time alone.
bool TryStrToDateTime(const std::string& text, TDateTime& value);
TDateTime StrToDateTime(const std::string& text);  // raises EConvertError

}  // namespace qv
