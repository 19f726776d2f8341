#pragma once
// Alert logs: the module never shows failures of its service routines to the
// user; it appends them to plain-text logs in the "Log" folder of the
// installation and carries on. Every writer returns false when it could not
// write and never throws, so callers may ignore the result.

#include <exception>
#include <string>
#include <string_view>

#include "platform/core/exception.h"

namespace ravlet {

// Appends "[yyyy/mm/dd hh:nn:ss:zzz] text" to Log\Alert_<name>_<stamp>[.log]
// under GetLogRoot() (or the host program's folder). The period letter picks
// the stamp: "M" monthly, "Y" yearly, anything else daily. A name holding a
// path separator or ":" is refused.
bool WriteAlertLog(const std::string& name, const std::string& text, std::string_view period);

// The installation folder from the registry (ClientPath, else ServerPath), or
// empty when neither gives one.
std::string GetLogRoot();

// Appends "[<short date> <long time>] text" to the daily generator log
// Log\Alert_BrammelGenerator_<yyyymmdd>.log under GetGeneratorLogRoot().
bool WriteGeneratorLog(const std::string& text);

// Like GetLogRoot, but falls back to the temporary folder and then to
// "C:\Temp"; never empty.
std::string GetGeneratorLogRoot();

// Writes an exception block to the generator log: a separator line naming the
// location, then (with an exception) its error lines and their count, then
// the programmer's message when it is not blank. Each item is its own write.
void LogException(const qv::Exception* e, const std::string& location,
                  const std::string& programmerMessage);
// A non-platform exception is logged as "any other exception", named by its
// C++ type.
void LogException(const std::exception* e, const std::string& location,
                  const std::string& programmerMessage);
void LogException(std::nullptr_t, const std::string& location,
                  const std::string& programmerMessage);

}  // namespace ravlet
