#include "platform/system/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/system/testing_support.h"

namespace qv {
namespace {

using test_support::ScopedEnv;
using test_support::TempFolder;

TEST(PathTextTest, SplitsPathsAtEverySeparator) {
  const struct {
    const char* name;
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
  } cases[] = {
      {"C:\\Dir\\File.txt", "C:\\Dir\\", "C:\\Dir", "File.txt", ".txt"},
      {"C:\\File.txt", "C:\\", "C:\\", "File.txt", ".txt"},
      {"C:File.txt", "C:", "C:", "File.txt", ".txt"},
      {"/opt/erp/x.so", "/opt/erp/", "/opt/erp", "x.so", ".so"},
      {"C:\\Dir.d\\File", "C:\\Dir.d\\", "C:\\Dir.d", "File", ""},
      {"mixed/dir\\a.b.c", "mixed/dir\\", "mixed/dir", "a.b.c", ".c"},
      {"\\\\server\\share\\x.dll", "\\\\server\\share\\", "\\\\server\\share", "x.dll", ".dll"},
      {"C:\\Dir\\", "C:\\Dir\\", "C:\\Dir", "", ""},
      {"\\Log", "\\", "\\", "Log", ""},
      {"archive.", "", "", "archive.", "."},
      {"File", "", "", "File", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
  }
}

TEST(PathTextTest, ChangesExtensionsAndTrailingSeparators) {
  EXPECT_EQ(ChangeFileExt("C:\\a\\b.txt", ".log"), "C:\\a\\b.log");
  EXPECT_EQ(ChangeFileExt("C:\\a.d\\b", ".log"), "C:\\a.d\\b.log");
  EXPECT_EQ(ChangeFileExt("x.tar.gz", ""), "x.tar");

  const struct {
    const char* text;
    const char* included;
    const char* excluded;
  } cases[] = {
      {"C:\\a", "C:\\a\\", "C:\\a"}, {"C:\\a\\", "C:\\a\\", "C:\\a"},
      {"/opt/", "/opt/", "/opt"},    {"", "\\", ""},
      {"Log", "Log\\", "Log"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IncludeTrailingBackslash(c.text), c.included) << c.text;
    EXPECT_EQ(ExcludeTrailingBackslash(c.text), c.excluded) << c.text;
  }
}

TEST(PathTextTest, RecognisesDrivesAndShares) {
  for (const char* yes : {"C:\\x", "c:", "\\\\srv\\share", "//srv/share"}) {
    EXPECT_TRUE(HasDrivePrefix(yes)) << yes;
  }
  for (const char* no : {"\\Log", "/opt", "1:\\x", "", "C", "Log\\C:"}) {
    EXPECT_FALSE(HasDrivePrefix(no)) << no;
  }
}

class PathMappingTest : public ::testing::Test {
 protected:
  PathMappingTest() {
    folder_.Write("c/Program Files/QVR/SkeldorC.ini", "x");
    SetDriveMapping("C", folder_ / "c");
  }
  ~PathMappingTest() override { ClearDriveMappings(); }

  std::string Native(const std::string& relative) const { return folder_ / relative; }
  TempFolder folder_;
  ScopedEnv noEnvironmentMap_{"QVR_DRIVE_MAP", std::nullopt};
};

TEST_F(PathMappingTest, MapsDrivesAndFindsNamesWithoutRegardToCase) {
  const struct {
    const char* windows;
    std::string native;
  } cases[] = {
      {"C:\\Program Files\\QVR\\SkeldorC.ini", Native("c/Program Files/QVR/SkeldorC.ini")},
      {"c:\\PROGRAM FILES\\qvr\\skeldorc.INI", Native("c/Program Files/QVR/SkeldorC.ini")},
      {"C:/program files/qvr/", Native("c/Program Files/QVR/")},
      {"C:\\program files\\qvr\\Log\\New.txt", Native("c/Program Files/QVR/Log/New.txt")},
      {"C:\\", Native("c/")},
      {"C:\\Program Files\\.\\QVR\\..\\qvr\\SkeldorC.ini",
       Native("c/Program Files/QVR/SkeldorC.ini")},
      {"C:\\..\\..\\etc\\passwd", Native("c/etc/passwd")},
      {"C:", Native("c")},
      {"/opt/erp/none.txt", "/opt/erp/none.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToNativePath(c.windows), c.native) << c.windows;
  }
  EXPECT_TRUE(FileExists("c:\\program files\\qvr\\SKELDORC.INI"));
  EXPECT_FALSE(FileExists("C:\\Program Files\\QVR"));
  EXPECT_TRUE(DirectoryExists("C:\\PROGRAM FILES\\qvr\\"));
  EXPECT_FALSE(DirectoryExists("C:\\Program Files\\QVR\\SkeldorC.ini"));
  EXPECT_TRUE(FileExists(Native("c/Program Files/QVR/SkeldorC.ini")));
}

TEST_F(PathMappingTest, AnUnmappedDriveNeverReachesTheCurrentFolder) {
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(folder_.Path());
  const std::string native = ToNativePath("Z:\\c\\Program Files");
  EXPECT_EQ(native.front(), '/');
  EXPECT_FALSE(DirectoryExists("Z:\\c\\Program Files"));
  EXPECT_FALSE(ForceDirectories("Z:\\made"));
  EXPECT_FALSE(FileExists("\\\\nobody\\share\\c\\Program Files\\QVR\\SkeldorC.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "made"));
  // Climbing out of an unmapped drive or share reaches no real file either.
  for (const char* escape : {"Z:\\..\\..\\..\\etc\\passwd", "\\\\..\\..\\etc\\passwd",
                             "\\\\srv\\..\\..\\..\\etc\\passwd"}) {
    EXPECT_FALSE(FileExists(escape)) << escape;
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Z:"));
  std::filesystem::current_path(cwd);
}

TEST_F(PathMappingTest, ReadsTheDriveMapFromTheEnvironment) {
  folder_.Write("d/data.txt", "x");
  folder_.Write("share/Reports/r.txt", "x");
  folder_.Write("override/data.txt", "x");
  ScopedEnv map("QVR_DRIVE_MAP",
                "D=" + Native("d") + ";\\\\Server\\Share=" + Native("share") + "/;bad;=x");
  EXPECT_TRUE(FileExists("D:\\DATA.TXT"));
  EXPECT_EQ(ToNativePath("\\\\server\\SHARE\\reports\\R.TXT"), Native("share/Reports/r.txt"));
  EXPECT_TRUE(FileExists("//SERVER/share/Reports/r.txt"));
  EXPECT_FALSE(FileExists("\\\\Server\\Other\\Reports\\r.txt"));
  SetDriveMapping("d:", Native("override"));
  EXPECT_EQ(ToNativePath("D:\\data.txt"), Native("override/data.txt"));
}

TEST_F(PathMappingTest, ChangesFilesThroughWindowsPaths) {
  ASSERT_TRUE(ForceDirectories("C:\\Program Files\\qvr\\Log\\2024\\"));
  EXPECT_TRUE(std::filesystem::is_directory(Native("c/Program Files/QVR/Log/2024")));
  EXPECT_TRUE(ForceDirectories("C:\\PROGRAM FILES\\QVR\\LOG"));  // already there
  EXPECT_FALSE(ForceDirectories("C:\\Program Files\\QVR\\SkeldorC.ini\\sub"));
  EXPECT_FALSE(ForceDirectories(""));

  folder_.Write("c/a.txt", "first");
  folder_.Write("c/b.txt", "second");
  EXPECT_FALSE(RenameFile("C:\\A.TXT", "C:\\b.txt"));  // never replaces a file
  EXPECT_TRUE(RenameFile("C:\\A.TXT", "C:\\c.txt"));
  EXPECT_FALSE(FileExists("C:\\a.txt"));
  EXPECT_TRUE(FileExists("C:\\c.txt"));
  EXPECT_FALSE(RenameFile("C:\\missing.txt", "C:\\d.txt"));

  EXPECT_TRUE(DeleteFile("c:\\B.txt"));
  EXPECT_FALSE(DeleteFile("c:\\B.txt"));
  EXPECT_FALSE(DeleteFile("C:\\Program Files"));
  EXPECT_TRUE(DirectoryExists("C:\\Program Files"));
}

}  // namespace
}  // namespace qv
