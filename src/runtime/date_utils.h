#pragma once
// The module's date texts ("yyyymmdd", valid from 17530101 to 99991231), dates
// shown and read by date type, and date arithmetic. None of these raise: bad
// input gives 0 (no date), false or an empty text. Date values are day counts
// since 1899-12-30; their time of day is ignored.

#include <optional>
#include <string>
#include <string_view>

#include "platform/variant/variant.h"
#include "runtime/date_type.h"

namespace ravlet {

// An eight-character text "yyyymmdd" as a date value; 0 when it is no date.
qv::TDateTime StrToDateYMD(std::string_view text);

// True for an empty text, or an eight-character calendar date from "17530101"
// to "99991231".
bool IsValidDateText(std::string_view text);

// The date shown by type, with the first character of separator between the
// parts (none when separator is empty): 1 yyyy/mm/dd, 2 mm/dd/yyyy, 3 dd/mm/yyyy,
// 4 and 5 the Republic-of-China year with at least two or three digits, then
// mm/dd. A date of 0, or one outside the years 1 to 9999, gives "". For
// dt_NoneCare or an unknown type there is nothing to show: std::nullopt, and
// the caller keeps the text it had.
std::optional<std::string> FormatDateByType(TDateType type, std::string_view separator,
                                            qv::TDateTime date);

// The same for the year and month only: 1 yyyy/mm, 2 and 3 mm/yyyy, 4 and 5
// the Republic-of-China year, then mm.
std::optional<std::string> FormatYearMonthByType(TDateType type, std::string_view separator,
                                                 qv::TDateTime date);

// Reads a date typed in the order of type, its three parts separated by the
// whole separator text. A day past the end of the month runs on into the next
// month (2024/02/30 is 1 March 2024). 0 when the text is blank, a part is no
// positive number, the type is unknown or the date leaves the years 1 to 9999.
qv::TDateTime ParseDateByType(std::string_view text, TDateType type, std::string_view separator);

// The date (a "yyyymmdd" text, wide or narrow, or a varDate/varDouble day
// count) moved by count units: "Y" years, "M" months, "D" days, without regard
// to case. Moving by months or years to a day the target month lacks gives the
// month's last day. The result is "yyyymmdd", or "" for a value that is no
// date, an unknown unit or a result outside the years 1 to 9999.
std::string ShiftDate(const qv::Variant& date, std::string_view unit, int count);

// 28 to 31 days; 0 when month is outside 1..12.
int DaysInMonth(int year, int month);

}  // namespace ravlet
