#pragma once
// Published modification stamps and the local file they are compared with.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// The local time a stamp names: "yyyymmdd", "yyyymmddhhnn", "yyyymmddhhnnss",
// or "yyyy-mm-dd[ hh:nn[:ss]]" with "-", "/" or "." between the date parts
// and a blank or "T" before the time. nullopt for anything else, including an
// impossible date or time.
std::optional<std::time_t> ParseStamp(std::string_view text);

// True when the file (a Windows-style or native path) has to be fetched: it
// is missing or no regular file, or the stamp is later than its modification
// time. An empty or unreadable stamp fetches only a missing file.
bool NeedsFetch(std::string_view stamp, const std::string& localFile);

}  // namespace standin
