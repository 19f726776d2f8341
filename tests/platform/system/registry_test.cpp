#include "platform/system/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/system/testing_support.h"
#include "platform/text/code_page.h"
#include "platform/text/string_list.h"

namespace qv {
namespace {

using test_support::ScopedEnv;
using test_support::TempFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A version 5.00 export with every kind of line the reader has to handle.
const char* const kExport = R"(Windows Registry Editor Version 5.00

; exported for the tests
[HKEY_LOCAL_MACHINE\SOFTWARE\QVR\Skeldor]
"ClientPath"="C:\\Program Files\\QVR\\"
"ProfileType"=dword:0000001f
"Quoted"="say \"hi\""
"Chinese"="客户端"
@="default text"
"Expand"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,\
  78,00,00,00
"Blob"=hex:01,02,ff
"Removed"="x"
"Removed"=-
"Broken="no closing quote
this line is junk
"NoValue"=
"BadDword"=dword:xyz
"LongDword"=dword:123456789

[HKEY_LOCAL_MACHINE\SOFTWARE\QVR\Skeldor\Sub1]
"A"="1"
[HKEY_LOCAL_MACHINE\SOFTWARE\QVR\Broken
"Orphan"="lost"
[HKEY_LOCAL_MACHINE\SOFTWARE\QVR\Skeldor\Sub2\Deep]
[HKEY_LOCAL_MACHINE\SOFTWARE\QVR\Gone]
"X"="y"
[-HKEY_LOCAL_MACHINE\SOFTWARE\QVR\Gone]
[HKEY_LOCAL_MACHINE\SOFTWARE\Classes\Demo.Object\CLSID]
@="{1234}"
[HKEY_CURRENT_USER\Software\Classes\Demo.Object]
"PerUser"="yes"
[HKEY_CURRENT_USER\Software\Hoskin\Ferrolund]
"GoAhead"="1"
[HKEY_NOWHERE\Software]
"Lost"="1"
)";

class RegistryTest : public ::testing::Test {
 protected:
  void UseFile(const std::string& bytes) {
    file_ = folder_.Write("registry.reg", bytes);
    env_.reset();
    env_ = std::make_unique<ScopedEnv>("QVR_REGISTRY", file_);
  }

  TempFolder folder_;
  std::string file_;
  std::unique_ptr<ScopedEnv> env_;
};

class RegistryExportTest : public RegistryTest {
 protected:
  void SetUp() override {
    UseFile(test_support::Utf16LeWithBom(kExport));
    reg_.RootKey = HKEY_LOCAL_MACHINE;
    ASSERT_TRUE(reg_.OpenKeyReadOnly("Software\\QVR\\Skeldor"));
  }
  TRegistry reg_;
};

TEST_F(RegistryExportTest, ReadsTextsWithEscapes) {
  EXPECT_EQ(reg_.ReadString("ClientPath"), "C:\\Program Files\\QVR\\");
  EXPECT_EQ(reg_.ReadString("CLIENTPATH"), "C:\\Program Files\\QVR\\");
  EXPECT_EQ(reg_.ReadString("Quoted"), "say \"hi\"");
  EXPECT_EQ(reg_.ReadString("Chinese"), "客户端");
  EXPECT_EQ(reg_.ReadString(""), "default text");
  EXPECT_EQ(reg_.ReadString("Missing"), "");
  EXPECT_EQ(reg_.GetDataType("ClientPath"), TRegDataType::rdString);
}

TEST_F(RegistryExportTest, ReadsDwordsAndBinaryValues) {
  EXPECT_EQ(reg_.ReadInteger("ProfileType"), 31);
  EXPECT_TRUE(reg_.ReadBool("ProfileType"));
  EXPECT_EQ(reg_.GetDataType("ProfileType"), TRegDataType::rdInteger);
  EXPECT_EQ(reg_.ReadString("Expand"), "%TEMP%\\x");
  EXPECT_EQ(reg_.GetDataType("Expand"), TRegDataType::rdExpandString);
  EXPECT_THAT(reg_.ReadBinaryData("Blob"), ElementsAre(0x01, 0x02, 0xFF));
  EXPECT_EQ(reg_.GetDataType("Blob"), TRegDataType::rdBinary);
}

TEST_F(RegistryExportTest, WrongTypesAndMissingIntegersRaiseWithTheValueName) {
  const struct {
    const char* name;
    bool asInteger;
  } cases[] = {{"ClientPath", true},
               {"Blob", true},
               {"Missing", true},
               {"ProfileType", false},
               {"Blob", false}};
  for (const auto& c : cases) {
    try {
      if (c.asInteger) {
        reg_.ReadInteger(c.name);
      } else {
        reg_.ReadString(c.name);
      }
      ADD_FAILURE() << c.name << " was read";
    } catch (const ERegistryException& e) {
      EXPECT_THAT(e.Message(), HasSubstr(std::string("'") + c.name + "'"));
      EXPECT_EQ(e.ClassName(), "ERegistryException");
    }
  }
}

TEST_F(RegistryExportTest, SkipsDeletedAndMalformedValues) {
  for (const char* name : {"Removed", "Broken", "NoValue", "BadDword", "LongDword"}) {
    EXPECT_FALSE(reg_.ValueExists(name)) << name;
  }
  EXPECT_THAT(reg_.GetValueNames(),
              ElementsAre("ClientPath", "ProfileType", "Quoted", "Chinese", "", "Expand", "Blob"));
}

TEST_F(RegistryExportTest, ListsSubkeysIncludingImpliedOnes) {
  EXPECT_TRUE(reg_.HasSubKeys());
  EXPECT_THAT(reg_.GetKeyNames(), ElementsAre("Sub1", "Sub2"));
  TStringList names;
  names.Add("stale");
  reg_.GetKeyNames(names);
  EXPECT_EQ(names.CommaText(), "Sub1,Sub2");

  EXPECT_TRUE(reg_.KeyExists("Sub2\\DEEP"));
  EXPECT_TRUE(reg_.KeyExists("\\Software\\QVR\\Skeldor\\Sub2"));
  EXPECT_FALSE(reg_.KeyExists("\\Software\\QVR\\Gone"));
  EXPECT_FALSE(reg_.KeyExists("\\Software\\QVR\\Broken"));
}

TEST_F(RegistryExportTest, ValuesAfterABrokenSectionHeaderAreDropped) {
  ASSERT_TRUE(reg_.OpenKeyReadOnly("Sub1"));
  EXPECT_THAT(reg_.GetValueNames(), ElementsAre("A"));
  EXPECT_FALSE(reg_.HasSubKeys());
}

TEST_F(RegistryExportTest, OpensRelativeToTheOpenKeyAndKeepsItOnFailure) {
  ASSERT_TRUE(reg_.OpenKeyReadOnly("sub1"));
  EXPECT_EQ(reg_.CurrentPath(), "Software\\QVR\\Skeldor\\sub1");
  EXPECT_EQ(reg_.ReadString("A"), "1");
  EXPECT_FALSE(reg_.OpenKeyReadOnly("NoSuchKey"));
  EXPECT_EQ(reg_.ReadString("A"), "1");
  ASSERT_TRUE(reg_.OpenKeyReadOnly("\\software\\qvr\\skeldor"));
  EXPECT_EQ(reg_.ReadInteger("ProfileType"), 31);
  reg_.CloseKey();
  EXPECT_FALSE(reg_.HasOpenKey());
  EXPECT_EQ(reg_.ReadString("ClientPath"), "");
  EXPECT_TRUE(reg_.GetValueNames().empty());
}

TEST_F(RegistryExportTest, NothingCanBeCreated) {
  EXPECT_FALSE(reg_.OpenKey("\\Software\\QVR\\Skeldor\\New", true));
  EXPECT_TRUE(reg_.OpenKey("\\Software\\QVR\\Skeldor\\Sub1", true));
}

TEST_F(RegistryTest, RootsAreSeparateAndCurrentUserIsTheDefault) {
  UseFile(kExport);
  TRegistry user;
  EXPECT_EQ(user.RootKey, HKEY_CURRENT_USER);
  ASSERT_TRUE(user.OpenKeyReadOnly("Software\\Hoskin\\Ferrolund"));
  EXPECT_EQ(user.ReadString("GoAhead"), "1");
  EXPECT_FALSE(user.OpenKeyReadOnly("\\Software\\QVR\\Skeldor"));

  TRegistry machine(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(machine.OpenKeyReadOnly("Software\\Hoskin\\Ferrolund"));
}

TEST_F(RegistryTest, ClassesRootMergesUserAndMachineClasses) {
  UseFile(kExport);
  TRegistry reg(HKEY_CLASSES_ROOT);
  ASSERT_TRUE(reg.OpenKeyReadOnly("demo.object\\CLSID"));
  EXPECT_EQ(reg.ReadString(""), "{1234}");
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Demo.Object"));
  EXPECT_EQ(reg.ReadString("PerUser"), "yes");
  EXPECT_THAT(reg.GetKeyNames(), ElementsAre("CLSID"));
}

TEST_F(RegistryTest, ReadsEveryFileEncoding) {
  const int previousCodePage = GetAnsiCodePage();
  SetAnsiCodePage(936);
  const std::string regedit4 =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\QVR\\Skeldor]\r\n"
      "\"Name\"=\"客户端\"\r\n\"Expand\"=hex(2):25,54,25,00\r\n";
  const std::string version5 =
      "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\QVR\\Skeldor]\n"
      "\"Name\"=\"客户端\"\n\"Expand\"=hex(2):25,00,54,00,25,00,00,00\n";
  const struct {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"UTF-16LE with BOM", test_support::Utf16LeWithBom(version5)},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + version5},
      {"UTF-8", regedit4},
      {"ANSI code page", Utf8ToCodePage(regedit4, 936)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    UseFile(c.bytes);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\QVR\\Skeldor"));
    EXPECT_EQ(reg.ReadString("Name"), "客户端");
    EXPECT_EQ(reg.ReadString("Expand"), "%T%");
  }
  SetAnsiCodePage(previousCodePage);
}

TEST_F(RegistryTest, AFileThatIsNoExportOpensNothing) {
  const struct {
    const char* label;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"no header", "[HKEY_CURRENT_USER\\Software]\n\"A\"=\"1\"\n"},
      {"unknown header", "REGEDIT5\n[HKEY_CURRENT_USER\\Software]\n"},
      {"binary junk", std::string("\x00\x01\xFE\x80[\xFF]\n\"=", 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    UseFile(c.bytes);
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKeyReadOnly("Software"));
    EXPECT_FALSE(reg.KeyExists("Software"));
  }
}

TEST_F(RegistryTest, AMissingOrUnnamedFileOpensNothing) {
  {
    ScopedEnv env("QVR_REGISTRY", folder_ / "missing.reg");
    EXPECT_FALSE(TRegistry().OpenKeyReadOnly("Software"));
  }
  {
    ScopedEnv env("QVR_REGISTRY", std::nullopt);
    EXPECT_FALSE(TRegistry().OpenKeyReadOnly("Software"));
  }
  {
    ScopedEnv env("QVR_REGISTRY", folder_.Path());
    EXPECT_FALSE(TRegistry().OpenKeyReadOnly("Software"));
  }
}

TEST_F(RegistryTest, SeesTheCurrentContentsOfTheFileAtEveryOpen) {
  const std::string header = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\QVR]\n";
  UseFile(header + "\"Mode\"=\"1\"\n");
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("Software\\QVR"));
  EXPECT_EQ(reg.ReadString("Mode"), "1");

  // Same size, written at once: only the contents tell the versions apart.
  UseFile(header + "\"Mode\"=\"2\"\n");
  EXPECT_EQ(reg.ReadString("Mode"), "1");  // the open key keeps what it read
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\QVR"));
  EXPECT_EQ(reg.ReadString("Mode"), "2");

  UseFile("REGEDIT4\n");
  EXPECT_FALSE(reg.OpenKeyReadOnly("\\Software\\QVR"));
}

}  // namespace
}  // namespace qv
