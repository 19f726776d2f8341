#pragma once
// Read-only INI files with the rules of the Windows profile functions: sections
// and keys without regard to case, values trimmed and freed of one pair of
// surrounding double quotes, the first of duplicated keys wins. The file is read
// once, when the object is made; a missing or unreadable file reads as empty.

#include <string>
#include <vector>

namespace qv {

class TStrings;

class TIniFile {
 public:
  // A Windows-style or native path.
  explicit TIniFile(const std::string& fileName);
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Decimal or "0x" hexadecimal; anything else gives the default.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  // An integer other than 0 is true.
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  // Key names of a section, in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;
  // "key=value" lines of a section, in file order.
  std::vector<std::string> ReadSectionValues(const std::string& section) const;
  std::vector<std::string> ReadSections() const;
  // The same into a list, which is cleared first.
  void ReadSection(const std::string& section, TStrings& keys) const;
  void ReadSectionValues(const std::string& section, TStrings& lines) const;
  void ReadSections(TStrings& names) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* FindSection(const std::string& section) const;
  const Entry* FindEntry(const std::string& section, const std::string& key) const;
  void Parse(const std::string& text);

  std::string fileName_;
  std::vector<Section> sections_;
};

}  // namespace qv
