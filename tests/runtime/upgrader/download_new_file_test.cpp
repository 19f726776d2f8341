#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/system/dynamic_library.h"
#include "platform/text/code_page.h"
#include "platform/vcl/application.h"
#include "platform/vcl/input_source.h"
#include "runtime/upgrade_downloader.h"
#include "runtime/upgrader/upgrader_fixture.h"
#include "support/zip_writer.h"

namespace ravlet {
namespace {

namespace fs = std::filesystem;
using testing::ScopedDownloadLibrary;
using testing::WriteZip;
using testing::ZipEntry;

const char kLocalFile[] = "D:\\Erp\\S_PKG\\abcS.DLL";
const char kFileList[] = "<Modify>20240301</Modify><Path>D:\\pub\\mods\\ABCS.DLL</Path>";

std::time_t LocalMidnight(int year, int month, int day) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

// Answers message dialogs from a script for its lifetime.
class ScopedInput {
 public:
  explicit ScopedInput(std::shared_ptr<qv::TInputSource> source) {
    qv::Application->SetInputSource(std::move(source));
  }
  ~ScopedInput() {
    qv::Application->SetInputSource(nullptr);
    qv::Application->ProcessMessages();
  }
  ScopedInput(const ScopedInput&) = delete;
  ScopedInput& operator=(const ScopedInput&) = delete;
};

class DownloadNewFileTest : public testing::UpgraderTest {
 protected:
  void SetUp() override {
    UpgraderTest::SetUp();
    install_.WriteFile("Erp/S_PKG/abcS.DLL", "old module");
    install_.WriteFile("Erp/S_PKG/keep.txt", "keep");
    SetLocalModified(LocalMidnight(2024, 2, 1));
  }

  void SetLocalModified(std::time_t when) {
    struct utimbuf times {
      when, when
    };
    ASSERT_EQ(::utime(install_.Path("Erp/S_PKG/abcS.DLL").c_str(), &times), 0);
  }

  void Publish(const std::vector<ZipEntry>& entries) {
    WriteZip(install_.Path("pub/mods/abcs.dll.zip"), entries);
  }

  std::string LocalArchive() const { return install_.TempFolder().string() + "/abcS.DLL.zip"; }
};

TEST_F(DownloadNewFileTest, NewerStampFetchesAndUnpacksOverTheLocalFile) {
  Publish({{"abcS.DLL", "new module"}, {"lang/abc.lng", "<lng/>"}});
  std::string message = "stale";
  EXPECT_TRUE(UpdateModuleFile(kFileList, kLocalFile, false, message));
  EXPECT_EQ(message, "");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/abcS.DLL"), "new module");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/lang/abc.lng"), "<lng/>");
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/keep.txt"), "keep");
  // The downloaded archive stays in the temporary folder.
  EXPECT_EQ(install_.FileNames("tmp"), std::vector<std::string>{"abcS.DLL.zip"});
  EXPECT_EQ(LogTexts(), std::vector<std::string>{});

  // Now the local file is up to date: nothing is fetched again.
  fs::remove(install_.Path("tmp/abcS.DLL.zip"));
  Publish({{"abcS.DLL", "newer still"}});
  EXPECT_TRUE(UpdateModuleFile(kFileList, kLocalFile, false, message));
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/abcS.DLL"), "new module");
  EXPECT_EQ(install_.FileNames("tmp"), std::vector<std::string>{});
}

TEST_F(DownloadNewFileTest, AMissingLocalFileIsFetched) {
  WriteZip(install_.Path("pub/mods/ravlets.dll.zip"), {{"RavletS.DLL", "server module"}});
  std::string message;
  EXPECT_TRUE(
      DownloadNewFile("20240301", "D:\\pub\\mods", "D:\\Erp\\S_PKG\\RavletS.DLL", false, message))
      << message;
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/RavletS.DLL"), "server module");
}

TEST_F(DownloadNewFileTest, SameOrOlderStampLeavesTheLocalFileAlone) {
  Publish({{"abcS.DLL", "new module"}});
  SetLocalModified(LocalMidnight(2024, 3, 1));
  for (const char* stamp : {"20240301", "20240229", "2024-03-01 00:00:00", ""}) {
    SCOPED_TRACE(stamp);
    std::string message;
    EXPECT_TRUE(DownloadNewFile(stamp, "D:\\pub\\mods\\", kLocalFile, false, message));
    EXPECT_EQ(message, "");
    EXPECT_EQ(install_.ReadFile("Erp/S_PKG/abcS.DLL"), "old module");
    EXPECT_EQ(install_.FileNames("tmp"), std::vector<std::string>{});
  }
}

TEST_F(DownloadNewFileTest, FailuresAreLoggedAndHandedBack) {
  struct Case {
    const char* what;
    const char* library;
    std::vector<ZipEntry> published;  // empty: no archive published
    std::string localFile;
    std::string message;
  };
  const std::string archive = LocalArchive();
  const std::string outside = install_.Path("evil.DLL").string();
  const Case cases[] = {
      {"no library",
       "VOZaziVoza_absent.dll",
       {{"abcS.DLL", "new"}},
       kLocalFile,
       "function VoZaziVoza.CompareFileToDown not found!"},
      {"no download export",
       "VOZaziVozaCompareOnly.dll",
       {{"abcS.DLL", "new"}},
       kLocalFile,
       "DownLoad new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. "
       "function VoZaziVoza.VOZaziVozaFile not found!"},
      {"nothing published",
       "VOZaziVoza.dll",
       {},
       kLocalFile,
       "DownLoad new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. Published archive "
       "[d:\\pub\\mods\\abcs.dll.zip] cannot be opened: No such file or directory"},
      {"network path",
       "VOZaziVoza.dll",
       {{"abcS.DLL", "new"}},
       "\\\\server\\erp\\abcS.DLL",
       "Net File can't update![\\\\server\\erp\\abcS.DLL]"},
      {"escaping entry",
       "VOZaziVoza.dll",
       {{"abcS.DLL", "new"}, {"../evil.DLL", "evil"}},
       kLocalFile,
       "Unzip new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. Archive [" + archive +
           "]: Entry [../evil.DLL] refused: its path holds \"..\""},
      {"absolute entry",
       "VOZaziVoza.dll",
       {{outside, "evil"}},
       kLocalFile,
       "Unzip new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. Archive [" + archive + "]: Entry [" +
           outside + "] refused: its path is absolute"},
      // The library could not tell this name from another one.
      {"name outside the code page",
       "VOZaziVoza.dll",
       {{"abcS.DLL", "new"}},
       "D:\\Erp\\S_PKG\\\xF0\x9F\x98\x80S.DLL",
       "Text [D:\\Erp\\S_PKG\\\xF0\x9F\x98\x80S.DLL] cannot be written in code page 936"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(LogFile());
    fs::remove(install_.Path("pub/mods/abcs.dll.zip"));
    if (!c.published.empty()) Publish(c.published);
    ScopedDownloadLibrary library(c.library);

    std::string message;
    EXPECT_FALSE(DownloadNewFile("20240301", "D:\\pub\\mods\\", c.localFile, false, message));
    EXPECT_EQ(message, c.message);
    // The log is written in the ANSI code page, which may not hold every character.
    EXPECT_EQ(LogTexts(), std::vector<std::string>{qv::AnsiToUtf8(qv::Utf8ToAnsi(c.message))});
    EXPECT_EQ(install_.ReadFile("Erp/S_PKG/abcS.DLL"), "old module");
    EXPECT_EQ(install_.FileNames("Erp"), std::vector<std::string>{"S_PKG"});
    EXPECT_EQ(install_.FileNames("Erp/S_PKG"), (std::vector<std::string>{"abcS.DLL", "keep.txt"}));
    EXPECT_FALSE(fs::exists(outside));
  }
}

// The recording library: its calls, in order, with their arguments.
class RecordedDownloadTest : public DownloadNewFileTest {
 protected:
  void SetUp() override {
    DownloadNewFileTest::SetUp();
    // Held open so that the record outlives each downloader's unload.
    recorder_ = qv::TDynamicLibrary::Load("VOZaziVozaRecorder.dll");
    ASSERT_NE(recorder_, nullptr) << qv::TDynamicLibrary::LastError();
    reset_ = recorder_->GetProc<void(int, int, int, int)>("RecorderReset");
    calls_ = recorder_->GetProc<const char*()>("RecorderCalls");
    ASSERT_TRUE(reset_ && calls_);
  }

  // compare: the comparison's answer; then how many downloads and unpacks fail.
  void Answer(int compare, int downloadFailures, int unzipFailures, bool unterminated = false) {
    reset_(compare, downloadFailures, unzipFailures, unterminated ? 1 : 0);
  }

  std::vector<std::string> Calls() const {
    std::vector<std::string> lines;
    std::string text = calls_();
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }

  std::string DownloadCall() const {
    return "VOZaziVozaFileEx(0||Hoskin|60|x:\\pub\\mods\\abcs.dll.zip|" + LocalArchive() +
           "|&|buffer|&|0)";
  }
  std::string UnzipCall() const {
    return "UnZipFilesOrDir(" + LocalArchive() + "|D:\\Erp\\S_PKG\\|buffer|&)";
  }

  ScopedDownloadLibrary library_{"VOZaziVozaRecorder.dll"};
  std::unique_ptr<qv::TDynamicLibrary> recorder_;
  void (*reset_)(int, int, int, int) = nullptr;
  const char* (*calls_)() = nullptr;
};

TEST_F(RecordedDownloadTest, CallsTheLibraryWithItsArgumentsInOrder) {
  Answer(1, 0, 0);
  std::string message;
  EXPECT_TRUE(UpdateModuleFile("Modify = '20240301' Path = 'X:\\pub\\mods\\abcS.DLL'", kLocalFile,
                               false, message));
  EXPECT_EQ(Calls(),
            (std::vector<std::string>{"CompareFileToDown(20240301|D:\\Erp\\S_PKG\\abcS.DLL)",
                                      DownloadCall(), UnzipCall()}));

  // Up to date: the comparison is all.
  Answer(0, 0, 0);
  EXPECT_TRUE(UpdateModuleFile("Modify = '20240301' Path = 'X:\\pub\\mods\\abcS.DLL'", kLocalFile,
                               false, message));
  EXPECT_EQ(Calls(),
            (std::vector<std::string>{"CompareFileToDown(20240301|D:\\Erp\\S_PKG\\abcS.DLL)"}));
}

TEST_F(RecordedDownloadTest, TextsReachTheLibraryInTheAnsiCodePage) {
  Answer(1, 0, 0);
  std::string message;
  EXPECT_TRUE(DownloadNewFile("2024年", "X:\\pub\\mods\\", "D:\\Erp\\报表S.DLL", false, message));
  const std::vector<std::string> calls = Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0],
            "CompareFileToDown(2024\xC4\xEA|D:\\Erp\\\xB1\xA8\xB1\xED"
            "S.DLL)");
  EXPECT_NE(calls[1].find("|x:\\pub\\mods\\\xB1\xA8\xB1\xEDs.dll.zip|"), std::string::npos);
}

TEST_F(RecordedDownloadTest, NotInteractiveFailsAtTheFirstFailure) {
  for (int failingStep : {1, 2}) {
    SCOPED_TRACE(failingStep);
    fs::remove(LogFile());
    Answer(1, failingStep == 1 ? 1 : 0, failingStep == 2 ? 1 : 0);
    std::string message;
    EXPECT_FALSE(DownloadNewFile("20240301", "X:\\pub\\mods\\", kLocalFile, false, message));
    const std::string expected =
        failingStep == 1 ? "DownLoad new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. server busy"
                         : "Unzip new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. disk full";
    EXPECT_EQ(message, expected);
    EXPECT_EQ(LogTexts(), std::vector<std::string>{expected});
    EXPECT_EQ(Calls().size(), failingStep == 1 ? 2u : 3u);
  }
}

TEST_F(RecordedDownloadTest, InteractiveRetryRepeatsTheSameCall) {
  const std::string busy = "DownLoad new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. server busy";
  const std::string full = "Unzip new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. disk full";
  struct Case {
    const char* what;
    int downloadFailures, unzipFailures;
    std::vector<const char*> answers;  // buttons; "" closes the dialog
    int downloads, unzips;
    std::string message;  // empty: the update succeeds
  };
  const Case cases[] = {
      {"download retried once", 1, 0, {"Retry"}, 2, 1, ""},
      {"download retried, then abandoned", 5, 0, {"Retry", "Abort"}, 2, 0, busy},
      {"download abandoned at once", 5, 0, {"Abort"}, 1, 0, busy},
      {"unpack retried twice", 0, 2, {"Retry", "Retry"}, 1, 3, ""},
      {"unpack abandoned", 0, 2, {"Abort"}, 1, 1, full},
      // Closing the dialog is no request to retry.
      {"dialog closed", 5, 0, {""}, 1, 0, busy},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(LogFile());
    Answer(1, c.downloadFailures, c.unzipFailures);
    auto input = std::make_shared<qv::TScriptedInputSource>();
    for (const char* answer : c.answers) {
      if (*answer)
        input->Click(answer);
      else
        input->CloseWindow();
    }
    ScopedInput scoped(input);

    std::string message;
    EXPECT_EQ(DownloadNewFile("20240301", "X:\\pub\\mods\\", kLocalFile, true, message),
              c.message.empty());
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(input->Pending(), 0u);
    std::vector<std::string> expected{"CompareFileToDown(20240301|D:\\Erp\\S_PKG\\abcS.DLL)"};
    for (int i = 0; i < c.downloads; ++i) expected.push_back(DownloadCall());
    for (int i = 0; i < c.unzips; ++i) expected.push_back(UnzipCall());
    EXPECT_EQ(Calls(), expected);
    // One log line for a failure, however often it was retried.
    EXPECT_EQ(LogTexts(),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
}

TEST_F(RecordedDownloadTest, AnUnterminatedMessageIsReadOnlyToTheBufferEnd) {
  Answer(1, 1, 0, true);
  std::string message;
  EXPECT_FALSE(DownloadNewFile("20240301", "X:\\pub\\mods\\", kLocalFile, false, message));
  EXPECT_EQ(message,
            "DownLoad new file[D:\\Erp\\S_PKG\\abcS.DLL] failed. " + std::string(256, 'm'));
}

// An input source that publishes the archive before answering Retry, as an
// administrator would while the dialog is up.
class PublishThenRetry : public qv::TInputSource {
 public:
  explicit PublishThenRetry(std::function<void()> publish) : publish_(std::move(publish)) {}
  bool Next(qv::TInputEvent& event) override {
    if (answered_) return false;
    answered_ = true;
    publish_();
    event = qv::TInputEvent::Click("Retry");
    return true;
  }

 private:
  std::function<void()> publish_;
  bool answered_ = false;
};

TEST_F(DownloadNewFileTest, RetryAfterTheArchiveIsPublishedSucceeds) {
  ScopedInput scoped(std::make_shared<PublishThenRetry>([&] {
    Publish({{"abcS.DLL", "new module"}});
  }));
  std::string message;
  EXPECT_TRUE(UpdateModuleFile(kFileList, kLocalFile, true, message)) << message;
  EXPECT_EQ(install_.ReadFile("Erp/S_PKG/abcS.DLL"), "new module");
  EXPECT_EQ(LogTexts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace ravlet
