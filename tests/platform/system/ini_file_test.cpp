#include "platform/system/ini_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/system/paths.h"
#include "platform/system/testing_support.h"
#include "platform/text/code_page.h"
#include "platform/text/string_list.h"

namespace qv {
namespace {

using test_support::TempFolder;
using ::testing::ElementsAre;

const std::string kProfile = std::string(
                                 "; a comment\r\n"
                                 "orphan=before any section\r\n"
                                 "[Database]\r\n"
                                 "Server = db01 \r\n"
                                 "Port=0x1F\r\n"
                                 "Timeout=\t 30\r\n"
                                 "Negative=-5\r\n"
                                 "Plus=+7\r\n"
                                 "Bad=12abc\r\n"
                                 "Huge=99999999999\r\n"
                                 "HexBad=0xZZ\r\n"
                                 "HexAll=0xFFFFFFFF\r\n"
                                 "Word=true\r\n"
                                 "Quoted=\"  padded  \"\r\n"
                                 "Single='kept'\r\n"
                                 "HalfQuote=\"open\r\n"
                                 "Empty=\r\n"
                                 "SERVER=second\r\n"
                                 "no equals sign here\r\n"
                                 "  ; indented comment=not a key\r\n"
                                 "=no key\r\n"
                                 "[Broken\r\n"
                                 "Leak=1\r\n"
                                 "[ Paths ] trailing text\r\n"
                                 "Log=C:\\QVR\\Log\\\r\n"
                                 "[database]\r\n"
                                 "Extra=merged\r\n"
                                 "Port=99\r\n"
                                 "[Empty]\r\n"
                                 "[Binary]\r\n") +
                             std::string("\x00\xFF\x01[\x80]=\x7F\n", 9) + "Key=after junk\n";

class IniFileTest : public ::testing::Test {
 protected:
  TempFolder folder_;
};

TEST_F(IniFileTest, ReadsValuesWithTheProfileRules) {
  TIniFile ini(folder_.Write("profile.ini", kProfile));
  const struct {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"Database", "Server", "db01"},
      {"DATABASE", "server", "db01"},
      {" database ", " Server ", "db01"},
      {"Database", "Timeout", "30"},
      {"Database", "Quoted", "  padded  "},
      {"Database", "Single", "'kept'"},
      {"Database", "HalfQuote", "\"open"},
      {"Database", "Empty", ""},
      {"Database", "Extra", "merged"},
      {"Paths", "Log", "C:\\QVR\\Log\\"},
      {"Binary", "Key", "after junk"},
      {"Database", "Missing", "<default>"},
      {"Nowhere", "Server", "<default>"},
      {"Database", "orphan", "<default>"},
      {"Paths", "Leak", "<default>"},
      {"Database", "Leak", "<default>"},
      {"Database", "no equals sign here", "<default>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.expected)
        << "[" << c.section << "] " << c.key;
  }
}

TEST_F(IniFileTest, ReadsIntegersAndBooleans) {
  TIniFile ini(folder_.Write("profile.ini", kProfile));
  const struct {
    const char* key;
    int expected;
  } cases[] = {
      {"Port", 31}, {"Timeout", 30}, {"Negative", -5}, {"Plus", 7},
      {"Bad", -1},  {"Huge", -1},    {"HexBad", -1},   {"HexAll", -1},
      {"Word", -1}, {"Empty", -1},   {"Server", -1},   {"Missing", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.ReadInteger("Database", c.key, -1), c.expected) << c.key;
  }
  EXPECT_EQ(ini.ReadInteger("Database", "HexAll", 5), -1);  // the full 32-bit pattern
  EXPECT_TRUE(ini.ReadBool("Database", "Port", false));
  EXPECT_FALSE(ini.ReadBool("Database", "Missing", false));
  EXPECT_TRUE(ini.ReadBool("Database", "Word", true));
  EXPECT_FALSE(ini.ReadBool("Database", "Word", false));
}

TEST_F(IniFileTest, ListsSectionsAndKeysInFileOrder) {
  TIniFile ini(folder_.Write("profile.ini", kProfile));
  EXPECT_THAT(ini.ReadSections(), ElementsAre("Database", "Paths", "Empty", "Binary"));
  EXPECT_THAT(ini.ReadSection("paths"), ElementsAre("Log"));
  EXPECT_THAT(ini.ReadSectionValues("Paths"), ElementsAre("Log=C:\\QVR\\Log\\"));
  std::vector<std::string> keys = ini.ReadSection("Database");
  EXPECT_THAT(keys,
              ElementsAre("Server", "Port", "Timeout", "Negative", "Plus", "Bad", "Huge", "HexBad",
                          "HexAll", "Word", "Quoted", "Single", "HalfQuote", "Empty", "Extra"));
  EXPECT_EQ(ini.ReadSectionValues("Database").front(), "Server=db01");
  EXPECT_TRUE(ini.ReadSection("Empty").empty());
  EXPECT_TRUE(ini.ReadSection("Missing").empty());

  EXPECT_TRUE(ini.SectionExists("EMPTY"));
  EXPECT_FALSE(ini.SectionExists("Broken"));
  EXPECT_TRUE(ini.ValueExists("database", "EXTRA"));
  EXPECT_FALSE(ini.ValueExists("Database", "Leak"));

  TStringList list;
  list.Add("stale");
  ini.ReadSectionValues("Paths", list);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Values("Log"), "C:\\QVR\\Log\\");
  ini.ReadSections(list);
  EXPECT_EQ(list.CommaText(), "Database,Paths,Empty,Binary");
}

TEST_F(IniFileTest, AMissingFileGivesTheDefaults) {
  for (const std::string& name : {folder_ / "missing.ini", folder_.Path(), std::string()}) {
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("A", "B", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInteger("A", "B", 7), 7);
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_FALSE(ini.SectionExists("A"));
  }
}

TEST_F(IniFileTest, ReadsEveryFileEncoding) {
  const int previousCodePage = GetAnsiCodePage();
  SetAnsiCodePage(936);
  const std::string text = "[Lang]\r\nName=简体中文\r\n";
  const struct {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"UTF-16LE with BOM", test_support::Utf16LeWithBom(text)},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + text},
      {"UTF-8", text},
      {"ANSI code page", Utf8ToCodePage(text, 936)},
  };
  for (const auto& c : cases) {
    TIniFile ini(folder_.Write("lang.ini", c.bytes));
    EXPECT_EQ(ini.ReadString("lang", "name", ""), "简体中文") << c.label;
    EXPECT_THAT(ini.ReadSections(), ElementsAre("Lang")) << c.label;
  }
  SetAnsiCodePage(previousCodePage);
}

TEST_F(IniFileTest, TakesAWindowsPathThroughTheDriveMap) {
  folder_.Write("Conf/SkeldorC.ini", "[Server]\nAddress=127.0.0.1\n");
  SetDriveMapping("Q", folder_.Path());
  TIniFile ini("q:\\CONF\\skeldorc.INI");
  ClearDriveMappings();
  EXPECT_EQ(ini.ReadString("Server", "Address", ""), "127.0.0.1");
  EXPECT_EQ(ini.FileName(), "q:\\CONF\\skeldorc.INI");
}

}  // namespace
}  // namespace qv
