// The download library through its exports, loaded by file name the way the
// module loads it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "download/vozazivoza_api.h"
#include "platform/system/dynamic_library.h"
#include "platform/text/code_page.h"
#include "support/temp_install.h"
#include "support/zip_writer.h"

namespace {

namespace fs = std::filesystem;
using ravlet::testing::TempInstall;
using ravlet::testing::WriteZip;
using ravlet::testing::ZipEntry;

std::time_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

void SetModified(const fs::path& file, std::time_t when) {
  struct utimbuf times {
    when, when
  };
  ASSERT_EQ(::utime(file.c_str(), &times), 0) << std::strerror(errno);
}

class DownloadLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = qv::TDynamicLibrary::Load("VOZaziVoza.dll");
    ASSERT_NE(library_, nullptr) << qv::TDynamicLibrary::LastError();
    compare_ = library_->GetProc<int(const char*, const char*)>("CompareFileToDown");
    fetch_ = library_->GetProc<std::remove_pointer_t<VOZaziVozaFileExProc>>("VOZaziVozaFileEx");
    unzip_ = library_->GetProc<std::remove_pointer_t<UnZipFilesOrDirProc>>("UnZipFilesOrDir");
    ASSERT_TRUE(compare_ && fetch_ && unzip_);
  }

  struct Outcome {
    int result;
    std::string message;
    int value;  // size copied or entries written
    int error;
  };

  // Texts go in and come back in the ANSI code page, as the module passes them.
  Outcome Fetch(const std::string& remote, const std::string& local,
                const std::string& limit = "60") {
    Outcome o{};
    char message[VOZAZIVOZA_MESSAGE_SIZE];
    std::memset(message, 'x', sizeof message);
    o.result =
        fetch_(0, "", "Hoskin", qv::Utf8ToAnsi(limit).c_str(), qv::Utf8ToAnsi(remote).c_str(),
               qv::Utf8ToAnsi(local).c_str(), &o.value, message, &o.error, 0);
    o.message = qv::AnsiToUtf8(message);
    return o;
  }

  Outcome Unzip(const std::string& archive, const std::string& target) {
    Outcome o{};
    char message[VOZAZIVOZA_MESSAGE_SIZE];
    std::memset(message, 'x', sizeof message);
    o.result =
        unzip_(qv::Utf8ToAnsi(archive).c_str(), qv::Utf8ToAnsi(target).c_str(), message, &o.value);
    o.message = qv::AnsiToUtf8(message);
    return o;
  }

  TempInstall install_;
  std::unique_ptr<qv::TDynamicLibrary> library_;
  int (*compare_)(const char*, const char*) = nullptr;
  VOZaziVozaFileExProc fetch_ = nullptr;
  UnZipFilesOrDirProc unzip_ = nullptr;
};

TEST_F(DownloadLibraryTest, CompareFetchesWhenTheStampIsLaterThanTheLocalFile) {
  install_.WriteFile("Erp/S_PKG/abcS.DLL", "old");
  SetModified(install_.Path("Erp/S_PKG/abcS.DLL"), LocalTime(2024, 3, 1, 10, 30, 15));
  struct Case {
    const char* stamp;
    int fetch;
  };
  const Case cases[] = {
      {"20240301", 0},
      {"20240302", 1},
      {"202403011030", 0},
      {"202403011031", 1},
      {"20240301103015", 0},
      {"20240301103016", 1},
      {"2024-03-01 10:30:15", 0},
      {"2024-03-01 10:30:16", 1},
      {"2024/03/01 10:30:16", 1},
      {"2024.03.01T10:31", 1},
      {" 20240302 ", 1},
      {"2023-12-31", 0},
      // Nothing can be learnt from these: an existing file is kept.
      {"", 0},
      {"next week", 0},
      {"20240230", 0},
      {"2024-03-01 25:00", 0},
      {"2024-03/02", 0},
      {"2024030", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stamp);
    EXPECT_EQ(compare_(c.stamp, "D:\\Erp\\S_PKG\\abcS.DLL"), c.fetch);
  }
  // Paths are found without regard to case, and native paths work too.
  EXPECT_EQ(compare_("20240302", "d:\\erp\\s_pkg\\ABCS.dll"), 1);
  EXPECT_EQ(compare_("20240301", "d:\\erp\\s_pkg\\ABCS.dll"), 0);
  EXPECT_EQ(compare_("20240301", install_.Path("Erp/S_PKG/abcS.DLL").c_str()), 0);
}

TEST_F(DownloadLibraryTest, CompareFetchesAMissingFileWhateverTheStamp) {
  std::filesystem::create_directories(install_.Path("Erp/S_PKG/folder.DLL"));
  for (const char* stamp : {"20240301", "", "garbage", "19000101"}) {
    SCOPED_TRACE(stamp);
    EXPECT_EQ(compare_(stamp, "D:\\Erp\\S_PKG\\missing.DLL"), 1);
    EXPECT_EQ(compare_(stamp, "D:\\Erp\\S_PKG\\folder.DLL"), 1);
    EXPECT_EQ(compare_(stamp, ""), 1);
  }
  EXPECT_EQ(compare_(nullptr, nullptr), 1);
}

TEST_F(DownloadLibraryTest, FetchCopiesThePublishedArchive) {
  install_.WriteFile("pub/Mods/ABCS.DLL.zip", "archive bytes");
  install_.WriteFile("tmp/abcS.DLL.zip", "an older download");
  // The module lower-cases the published name; the drive map finds the file.
  Outcome o = Fetch("d:\\pub\\mods\\abcs.dll.zip", install_.TempFolder() / "abcS.DLL.zip");
  EXPECT_EQ(o.result, 1) << o.message;
  EXPECT_EQ(o.message, "");
  EXPECT_EQ(o.value, 13);
  EXPECT_EQ(o.error, 0);
  EXPECT_EQ(install_.ReadFile("tmp/abcS.DLL.zip"), "archive bytes");
  EXPECT_EQ(install_.FileNames("tmp"), std::vector<std::string>{"abcS.DLL.zip"});

  // A native published folder, and a local folder that does not exist yet.
  o = Fetch(install_.Path("pub/Mods/ABCS.DLL.zip").string(), "D:\\new\\place\\a.zip", "");
  EXPECT_EQ(o.result, 1) << o.message;
  EXPECT_EQ(install_.ReadFile("new/place/a.zip"), "archive bytes");
}

TEST_F(DownloadLibraryTest, FetchFailuresLeaveNoPartialArchive) {
  install_.WriteFile("pub/real.zip", "bytes");
  std::filesystem::create_directories(install_.Path("pub/folder.zip"));
  struct Case {
    const char* remote;
    const char* limit;
    const char* message;
    int error;
  };
  const Case cases[] = {
      {"D:\\pub\\missing.zip", "60",
       "Published archive [D:\\pub\\missing.zip] cannot be opened: No such file or directory",
       ENOENT},
      {"D:\\pub\\folder.zip", "60", "Published archive [D:\\pub\\folder.zip] is not a file", 0},
      // A relative name would be looked for wherever the program happens to run.
      {"real.zip", "60", "Published archive [real.zip] is not in an absolute folder", 0},
      {"", "60", "Published archive [] is not in an absolute folder", 0},
      {"D:\\pub\\real.zip", "sixty", "Time limit [sixty] is no number of seconds", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.remote);
    Outcome o = Fetch(c.remote, "D:\\tmp\\local.zip", c.limit);
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.message, c.message);
    EXPECT_EQ(o.error, c.error);
    EXPECT_EQ(install_.FileNames("tmp"), std::vector<std::string>{});
  }
}

TEST_F(DownloadLibraryTest, UnpackReplacesFilesAndCreatesFolders) {
  install_.WriteFile("Erp/S_PKG/abcS.DLL", "old module");
  install_.WriteFile("Erp/S_PKG/other.txt", "untouched");
  const std::vector<ZipEntry> entries = {
      {"abcS.DLL", "new module"},
      {"res/", "", ZipEntry::kFolder},
      {"res/zh/abc.lng", "<lng/>"},
      {"./docs//readme.txt", "read me"},
      {"current", "res/zh/abc.lng", ZipEntry::kLink},
      {"res/zh/up", "../../abcS.DLL", ZipEntry::kLink},
  };
  WriteZip(install_.Path("tmp/abcS.DLL.zip"), entries);

  Outcome o = Unzip(install_.Path("tmp/abcS.DLL.zip").string(), "D:\\Erp\\S_PKG\\");
  EXPECT_EQ(o.result, 1) << o.message;
  EXPECT_EQ(o.message, "");
  EXPECT_EQ(o.value, 6);
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/abcS.DLL"), "new module");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/other.txt"), "untouched");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/res/zh/abc.lng"), "<lng/>");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/docs/readme.txt"), "read me");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/current"), "<lng/>");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/res/zh/up"), "new module");
  EXPECT_EQ(install_.FileNames("Erp/S_PKG"),
            (std::vector<std::string>{"abcS.DLL", "current", "docs", "other.txt", "res"}));
}

TEST_F(DownloadLibraryTest, UnpackReplacesALinkNotWhatItPointsTo) {
  // A file of the archive whose name is taken by a link in the folder: the
  // link is replaced, the file it pointed to keeps its contents.
  install_.WriteFile("elsewhere/victim.txt", "keep me");
  install_.WriteFile("Erp/S_PKG/.keep", "");
  fs::create_symlink(install_.Path("elsewhere/victim.txt"), install_.Path("Erp/S_PKG/abcS.DLL"));
  WriteZip(install_.Path("tmp/a.zip"), {{"abcS.DLL", "new module"}});

  Outcome o = Unzip(install_.Path("tmp/a.zip").string(), "D:\\Erp\\S_PKG");
  EXPECT_EQ(o.result, 1) << o.message;
  EXPECT_FALSE(fs::is_symlink(install_.Path("Erp/S_PKG/abcS.DLL")));
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/abcS.DLL"), "new module");
  EXPECT_EQ(install_.ReadFile("elsewhere/victim.txt"), "keep me");
}

TEST_F(DownloadLibraryTest, UnpackRefusesEntriesLeadingOutOfTheFolder) {
  struct Case {
    std::vector<ZipEntry> entries;
    const char* refusal;
  };
  const Case cases[] = {
      {{{"good.txt", "x"}, {"../evil.txt", "x"}},
       "Entry [../evil.txt] refused: its path holds \"..\""},
      {{{"sub/../../evil.txt", "x"}}, "Entry [sub/../../evil.txt] refused: its path holds \"..\""},
      {{{"sub\\..\\..\\evil.txt", "x"}},
       "Entry [sub\\..\\..\\evil.txt] refused: its path holds \"..\""},
      {{{"good.txt", "x"}, {"/tmp/evil.txt", "x"}},
       "Entry [/tmp/evil.txt] refused: its path is absolute"},
      {{{"\\evil.txt", "x"}}, "Entry [\\evil.txt] refused: its path is absolute"},
      {{{"C:\\evil.txt", "x"}}, "Entry [C:\\evil.txt] refused: its path starts with a drive"},
      {{{"d:evil.txt", "x"}}, "Entry [d:evil.txt] refused: its path starts with a drive"},
      {{{"sub/x:y", "x"}}, "Entry [sub/x:y] refused: its path holds \":\""},
      {{{"out", "../elsewhere", ZipEntry::kLink}},
       "Entry [out] refused: its link [../elsewhere] leads outside the folder"},
      {{{"sub/out", "../../elsewhere", ZipEntry::kLink}},
       "Entry [sub/out] refused: its link [../../elsewhere] leads outside the folder"},
      {{{"out", "/etc", ZipEntry::kLink}},
       "Entry [out] refused: its link [/etc] leads outside the folder"},
      {{{"out", "D:\\elsewhere", ZipEntry::kLink}},
       "Entry [out] refused: its link [D:\\elsewhere] leads outside the folder"},
      // "here" is the folder itself, but ".." after it is taken from there.
      {{{"here", ".", ZipEntry::kLink}, {"out", "here/../elsewhere", ZipEntry::kLink}},
       "Entry [out] refused: its link [here/../elsewhere] leads outside the folder"},
      {{{"link", "sub", ZipEntry::kLink}, {"link/evil.txt", "x"}},
       "Entry [link/evil.txt] refused: it lies below a link of the archive"},
      {{{"link/evil.txt", "x"}, {"link", "sub", ZipEntry::kLink}},
       "Entry [link/evil.txt] refused: it lies below a link of the archive"},
  };
  install_.WriteFile("elsewhere/keep.txt", "keep");
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refusal);
    const std::string archive = "tmp/bad" + std::to_string(++n) + ".zip";
    WriteZip(install_.Path(archive), c.entries);
    fs::create_directories(install_.Path("target"));

    Outcome o = Unzip(install_.Path(archive).string(), "D:\\target");
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.message, "Archive [" + install_.Path(archive).string() + "]: " + c.refusal);
    EXPECT_EQ(o.value, 0);
    // Nothing at all is written, in the folder or beside it.
    EXPECT_EQ(install_.FileNames("target"), std::vector<std::string>{});
    EXPECT_EQ(install_.FileNames(""), (std::vector<std::string>{"elsewhere", "target", "tmp"}));
    EXPECT_EQ(install_.FileNames("elsewhere"), std::vector<std::string>{"keep.txt"});
  }
}

TEST_F(DownloadLibraryTest, UnpackNeverWritesThroughALinkFoundInTheFolder) {
  fs::create_directories(install_.Path("target"));
  fs::create_directories(install_.Path("elsewhere"));
  fs::create_directory_symlink(install_.Path("elsewhere"), install_.Path("target/escape"));
  WriteZip(install_.Path("tmp/a.zip"), {{"escape/evil.txt", "x"}, {"escape/deeper/x.txt", "x"}});

  Outcome o = Unzip(install_.Path("tmp/a.zip").string(), "D:\\target");
  EXPECT_EQ(o.result, 0);
  EXPECT_EQ(
      o.message,
      "Entry [escape/evil.txt] cannot be written: [escape] is a link or a file, not a folder");
  EXPECT_EQ(install_.FileNames("elsewhere"), std::vector<std::string>{});
}

TEST_F(DownloadLibraryTest, UnpackReportsUnreadableArchives) {
  install_.WriteFile("tmp/not.zip", "this is no archive");
  // libzip writes no file for an archive without entries: the bare
  // end-of-directory record is one.
  install_.WriteFile("tmp/empty.zip", std::string("PK\x05\x06", 4) + std::string(18, '\0'));
  install_.WriteFile("target/abcS.DLL", "a file where a folder is wanted");
  WriteZip(install_.Path("tmp/clash.zip"), {{"abcS.DLL/inner.txt", "x"}});
  struct Case {
    std::string archive;
    std::string target;
    std::string message;
  };
  const std::string tmp = install_.TempFolder().string();
  const Case cases[] = {
      {tmp + "/missing.zip", "D:\\target",
       "Archive [" + tmp + "/missing.zip] cannot be opened: No such file"},
      {tmp + "/not.zip", "D:\\target",
       "Archive [" + tmp + "/not.zip] cannot be opened: Not a zip archive"},
      {tmp + "/empty.zip", "D:\\target",
       "Archive [" + tmp + "/empty.zip]: the archive holds no entries"},
      {tmp + "/clash.zip", "D:\\target",
       "Entry [abcS.DLL/inner.txt] cannot be written: [abcS.DLL] is a link or a file, not a "
       "folder"},
      {tmp + "/clash.zip", "", "No target folder named"},
      {"", "D:\\target", "No archive named"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.archive);
    Outcome o = Unzip(c.archive, c.target);
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.message.substr(0, c.message.size()), c.message) << o.message;
  }
  EXPECT_EQ(install_.ReadFile("target/abcS.DLL"), "a file where a folder is wanted");
}

TEST_F(DownloadLibraryTest, NamesAndMessagesTravelInTheAnsiCodePage) {
  // A Chinese file name is passed in code page 936 and found on disk in UTF-8.
  install_.WriteFile("pub/报表s.dll.zip", "bytes");
  Outcome o = Fetch("D:\\pub\\报表s.dll.zip", "D:\\tmp\\报表S.DLL.zip");
  EXPECT_EQ(o.result, 1) << o.message;
  EXPECT_EQ(install_.ReadFile("tmp/报表S.DLL.zip"), "bytes");

  // A long message is cut at a character boundary and always ends in a zero
  // byte inside the buffer; nothing beyond the buffer is touched.
  const std::string folder = "D:\\" + std::string(300, 'a') + "\\缺少的文件夹";
  char message[VOZAZIVOZA_MESSAGE_SIZE + 16];
  std::memset(message, '#', sizeof message);
  int value = -1, error = -1;
  EXPECT_EQ(fetch_(0, "", "Hoskin", "60", qv::Utf8ToAnsi(folder + "\\x.zip").c_str(),
                   "D:\\tmp\\x.zip", &value, message, &error, 0),
            0);
  const size_t length = ::strnlen(message, VOZAZIVOZA_MESSAGE_SIZE);
  ASSERT_LT(length, static_cast<size_t>(VOZAZIVOZA_MESSAGE_SIZE));
  EXPECT_GE(length, static_cast<size_t>(VOZAZIVOZA_MESSAGE_SIZE) - 2);
  for (size_t i = VOZAZIVOZA_MESSAGE_SIZE; i < sizeof message; ++i) EXPECT_EQ(message[i], '#');
  // The cut text still reads back without a broken character.
  EXPECT_EQ(qv::AnsiToUtf8(message).find("\xEF\xBF\xBD"), std::string::npos);

  std::string chinese = "D:\\pub\\" + std::string(60, 'b');
  for (int i = 0; i < 100; ++i) chinese += "报";
  std::memset(message, '#', sizeof message);
  EXPECT_EQ(fetch_(0, "", "Hoskin", "60", qv::Utf8ToAnsi(chinese).c_str(), "D:\\tmp\\x.zip", &value,
                   message, &error, 0),
            0);
  EXPECT_LT(::strnlen(message, VOZAZIVOZA_MESSAGE_SIZE),
            static_cast<size_t>(VOZAZIVOZA_MESSAGE_SIZE));
  EXPECT_EQ(qv::AnsiToUtf8(message).find("\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(message[VOZAZIVOZA_MESSAGE_SIZE], '#');
}

TEST_F(DownloadLibraryTest, NullArgumentsAreRefusedNotFollowed) {
  EXPECT_EQ(fetch_(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0),
            0);
  EXPECT_EQ(unzip_(nullptr, nullptr, nullptr, nullptr), 0);
}

}  // namespace
