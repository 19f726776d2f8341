#include "platform/system/ini_file.h"

#include <climits>

#include "platform/system/text_file.h"
#include "platform/text/string_list.h"
#include "platform/text/string_utils.h"

namespace qv {
namespace {

// Blanks and tabs, the only characters the profile functions trim.
std::string TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return std::string(text.substr(begin, end - begin));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "0x" followed by one to eight hexadecimal digits, read as a 32-bit pattern.
bool TryHexToInt(const std::string& digits, int& value) {
  if (digits.empty() || digits.size() > 8) return false;
  unsigned bits = 0;
  for (char c : digits) {
    int digit = HexDigit(c);
    if (digit < 0) return false;
    bits = bits * 16 + static_cast<unsigned>(digit);
  }
  value = static_cast<int>(bits);
  return true;
}

bool TryDecimalToInt(const std::string& text, int& value) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  if (pos >= text.size()) return false;
  long long result = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return false;
    result = result * 10 + (text[pos] - '0');
    if (result > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) result = -result;
  if (result > INT_MAX || result < INT_MIN) return false;
  value = static_cast<int>(result);
  return true;
}

void Fill(TStrings& list, const std::vector<std::string>& lines) {
  list.BeginUpdate();
  list.Clear();
  list.AddStrings(lines);
  list.EndUpdate();
}

}  // namespace

TIniFile::TIniFile(const std::string& fileName) : fileName_(fileName) {
  std::string text;
  if (ReadTextFile(fileName, text)) Parse(text);
}

TIniFile::~TIniFile() = default;

void TIniFile::Parse(const std::string& text) {
  // Keys before the first section, or after a broken section header, belong
  // to no section and are dropped.
  Section* current = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = TrimBlanks(std::string_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      current = nullptr;
      size_t close = line.find(']');
      if (close == std::string::npos) continue;
      std::string name = TrimBlanks(std::string_view(line).substr(1, close - 1));
      for (auto& section : sections_) {
        if (SameText(section.name, name)) current = &section;
      }
      if (current == nullptr) {
        sections_.push_back(Section{name, {}});
        current = &sections_.back();
      }
      continue;
    }
    size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos) continue;
    std::string key = TrimBlanks(std::string_view(line).substr(0, equals));
    if (key.empty()) continue;
    bool duplicate = false;
    for (const auto& entry : current->entries) {
      if (SameText(entry.key, key)) duplicate = true;
    }
    if (duplicate) continue;
    std::string value = TrimBlanks(std::string_view(line).substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    current->entries.push_back(Entry{key, value});
  }
}

const TIniFile::Section* TIniFile::FindSection(const std::string& section) const {
  const std::string name = TrimBlanks(section);
  for (const auto& candidate : sections_) {
    if (SameText(candidate.name, name)) return &candidate;
  }
  return nullptr;
}

const TIniFile::Entry* TIniFile::FindEntry(const std::string& section,
                                           const std::string& key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return nullptr;
  const std::string name = TrimBlanks(key);
  for (const auto& entry : found->entries) {
    if (SameText(entry.key, name)) return &entry;
  }
  return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  const Entry* entry = FindEntry(section, key);
  return entry ? entry->value : defaultValue;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key,
                          int defaultValue) const {
  const Entry* entry = FindEntry(section, key);
  if (entry == nullptr) return defaultValue;
  const std::string& text = entry->value;
  int value = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return TryHexToInt(text.substr(2), value) ? value : defaultValue;
  }
  return TryDecimalToInt(text, value) ? value : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const Section* found = FindSection(section)) {
    for (const auto& entry : found->entries) keys.push_back(entry.key);
  }
  return keys;
}

std::vector<std::string> TIniFile::ReadSectionValues(const std::string& section) const {
  std::vector<std::string> lines;
  if (const Section* found = FindSection(section)) {
    for (const auto& entry : found->entries) lines.push_back(entry.key + "=" + entry.value);
  }
  return lines;
}

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& section : sections_) names.push_back(section.name);
  return names;
}

void TIniFile::ReadSection(const std::string& section, TStrings& keys) const {
  Fill(keys, ReadSection(section));
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& lines) const {
  Fill(lines, ReadSectionValues(section));
}

void TIniFile::ReadSections(TStrings& names) const {
  Fill(names, ReadSections());
}

bool TIniFile::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return FindEntry(section, key) != nullptr;
}

}  // namespace qv
