#include <gtest/gtest.h>

#include <string>

#include "platform/system/environment.h"
#include "runtime/upgrade_downloader.h"
#include "support/temp_install.h"

namespace ravlet {
namespace {

TEST(FileListTest, StampAndPublishedFolderInEitherForm) {
  struct Case {
    const char* text;
    const char* stamp;
    const char* folder;
  };
  const Case cases[] = {
      {"Modify = '20240301' Path = 'X:\\pub\\mods\\abcS.DLL'", "20240301", "X:\\pub\\mods\\"},
      {"<Modify>20240301</Modify><Path>X:\\pub\\mods\\RAVLETS.DLL</Path>", "20240301",
       "X:\\pub\\mods\\"},
      {"<Path>\\\\srv\\pub\\a.dll</Path> <Modify>2024-03-01 10:00:00</Modify>",
       "2024-03-01 10:00:00", "\\\\srv\\pub\\"},
      // A value whose closing marker is missing is empty.
      {"<Modify>20240301<Path>X:\\pub\\a.dll</Path>", "", "X:\\pub\\"},
      {"<Modify>20240301</Modify><Path>X:\\pub\\a.dll", "20240301", ""},
      {"Modify = '20240301 Path = 'X:\\pub\\a.dll'", "20240301 Path = ", "X:\\pub\\"},
      {"Modify = 20240301", "", ""},
      // The XML-like form comes first; the quoted form stands in for an empty one.
      {"<Modify>1</Modify> Modify = '2'", "1", ""},
      {"<Modify></Modify> Modify = '2'", "2", ""},
      // Only the folder part of the path counts; a native path keeps its "/".
      {"<Path>abcS.DLL</Path>", "", ""},
      {"<Path>X:\\abcS.DLL</Path>", "", "X:\\"},
      {"<Path>/srv/pub/mods/abcS.DLL</Path>", "", "/srv/pub/mods/"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TFileListInfo info = ParseFileList(c.text);
    EXPECT_EQ(info.Stamp, c.stamp);
    EXPECT_EQ(info.PublishedFolder, c.folder);
  }
}

TEST(FileListTest, EnsureBackslash) {
  struct Case {
    const char* folder;
    const char* result;
  };
  const Case cases[] = {
      {"X:\\pub", "X:\\pub\\"},
      {"X:\\pub\\", "X:\\pub\\"},
      {"  X:\\pub  ", "X:\\pub\\"},
      {" X:\\pub\\ ", "X:\\pub\\"},
      {"", ""},
      {"   ", ""},
      {"\\", "\\"},
      {"/srv/pub/", "/srv/pub/\\"},
      {"pub", "pub\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(EnsureBackslash(c.folder), c.result);
  }
}

TEST(FileListTest, ArchiveNames) {
  testing::TempInstall install;  // its own temporary folder
  const std::string temp = install.TempFolder().string() + "/";
  struct Case {
    const char* folder;
    const char* localFile;
    const char* remote;
    std::string local;
  };
  const Case cases[] = {
      {"X:\\pub\\mods\\", "D:\\Erp\\S_PKG\\abcS.DLL", "x:\\pub\\mods\\abcs.dll.zip",
       temp + "abcS.DLL.zip"},
      {" X:\\Pub\\Mods ", "D:\\Erp\\S_PKG\\abcS.DLL", "x:\\pub\\mods\\abcs.dll.zip",
       temp + "abcS.DLL.zip"},
      {"/srv/Pub/", "/opt/erp/S_PKG/RavletS.DLL", "/srv/pub/ravlets.dll.zip",
       temp + "RavletS.DLL.zip"},
      {"", "RavletS.DLL", "ravlets.dll.zip", temp + "RavletS.DLL.zip"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.localFile);
    EXPECT_EQ(RemoteArchiveName(c.folder, c.localFile), c.remote);
    EXPECT_EQ(LocalArchiveName(c.localFile), c.local);
  }
}

}  // namespace
}  // namespace ravlet
