#include "platform/system/ini_file.h"

namespace qv {

TIniFile::TIniFile(const std::string& fileName) : fileName_(fileName) {}
TIniFile::~TIniFile() = default;

const TIniFile::Section* TIniFile::FindSection(const std::string&) const { return nullptr; }
const TIniFile::Entry* TIniFile::FindEntry(const std::string&, const std::string&) const {
  return nullptr;
}
void TIniFile::Parse(const std::string&) {}

std::string TIniFile::ReadString(const std::string&, const std::string&,
                                 const std::string& defaultValue) const {
  return defaultValue;
}
int TIniFile::ReadInteger(const std::string&, const std::string&, int defaultValue) const {
  return defaultValue;
}
bool TIniFile::ReadBool(const std::string&, const std::string&, bool defaultValue) const {
  return defaultValue;
}
std::vector<std::string> TIniFile::ReadSection(const std::string&) const { return {}; }
std::vector<std::string> TIniFile::ReadSectionValues(const std::string&) const { return {}; }
std::vector<std::string> TIniFile::ReadSections() const { return {}; }
bool TIniFile::SectionExists(const std::string&) const { return false; }
bool TIniFile::ValueExists(const std::string&, const std::string&) const { return false; }

}  // namespace qv
