#include "download/file_stamp.h"

#include <sys/stat.h>

#include <cctype>

#include "platform/system/date_time.h"
#include "platform/system/paths.h"
#include "platform/text/string_utils.h"

namespace standin {
namespace {

struct StampParts {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Reads exactly `digits` decimal digits at pos and moves past them.
bool ReadNumber(std::string_view text, size_t& pos, size_t digits, int& value) {
  if (pos + digits > text.size()) return false;
  value = 0;
  for (size_t i = 0; i < digits; ++i) {
    char c = text[pos + i];
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = value * 10 + (c - '0');
  }
  pos += digits;
  return true;
}

bool ReadCompact(std::string_view text, StampParts& p) {
  if (text.size() != 8 && text.size() != 12 && text.size() != 14) return false;
  size_t pos = 0;
  if (!ReadNumber(text, pos, 4, p.year) || !ReadNumber(text, pos, 2, p.month) ||
      !ReadNumber(text, pos, 2, p.day))
    return false;
  if (pos < text.size() &&
      (!ReadNumber(text, pos, 2, p.hour) || !ReadNumber(text, pos, 2, p.minute)))
    return false;
  if (pos < text.size() && !ReadNumber(text, pos, 2, p.second)) return false;
  return pos == text.size();
}

bool ReadSeparated(std::string_view text, StampParts& p) {
  size_t pos = 0;
  if (!ReadNumber(text, pos, 4, p.year) || pos >= text.size()) return false;
  char separator = text[pos];
  if (separator != '-' && separator != '/' && separator != '.') return false;
  ++pos;
  if (!ReadNumber(text, pos, 2, p.month) || pos >= text.size() || text[pos++] != separator ||
      !ReadNumber(text, pos, 2, p.day))
    return false;
  if (pos == text.size()) return true;
  if (text[pos] != ' ' && text[pos] != 'T') return false;
  ++pos;
  if (!ReadNumber(text, pos, 2, p.hour) || pos >= text.size() || text[pos++] != ':' ||
      !ReadNumber(text, pos, 2, p.minute))
    return false;
  if (pos == text.size()) return true;
  if (text[pos++] != ':' || !ReadNumber(text, pos, 2, p.second)) return false;
  return pos == text.size();
}

}  // namespace

std::optional<std::time_t> ParseStamp(std::string_view text) {
  std::string trimmed = qv::Trim(text);
  StampParts p;
  if (!ReadCompact(trimmed, p) && !ReadSeparated(trimmed, p)) return std::nullopt;
  if (!qv::IsValidDate(p.year, p.month, p.day) || !qv::IsValidTime(p.hour, p.minute, p.second, 0))
    return std::nullopt;
  std::tm local{};
  local.tm_year = p.year - 1900;
  local.tm_mon = p.month - 1;
  local.tm_mday = p.day;
  local.tm_hour = p.hour;
  local.tm_min = p.minute;
  local.tm_sec = p.second;
  local.tm_isdst = -1;
  std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1)) return std::nullopt;
  return when;
}

bool NeedsFetch(std::string_view stamp, const std::string& localFile) {
  struct stat info {};
  std::string native = qv::ToNativePath(localFile);
  if (native.empty() || ::stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return true;
  std::optional<std::time_t> published = ParseStamp(stamp);
  return published && *published > info.st_mtime;
}

}  // namespace standin
