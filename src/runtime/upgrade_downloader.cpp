#include "runtime/upgrade_downloader.h"

#include <exception>

#include "platform/core/exception.h"
#include "platform/system/paths.h"
#include "platform/system/registry.h"
#include "platform/text/format.h"
#include "platform/text/string_utils.h"
#include "platform/vcl/dialogs.h"
#include "runtime/text_fields.h"
#include "runtime/upgrader_log.h"
#include "runtime/vozazivoza.h"

namespace ravlet {
namespace {

const char kLogName[] = "VOZaziVozaNewFileU";
const char kRegistryKey[] = "Software\\Hoskin\\Ferrolund";

// The text between open and close after the first open; empty when either
// marker is missing.
std::string Between(std::string_view text, std::string_view open, std::string_view close) {
  size_t start = text.find(open);
  if (start == std::string_view::npos) return "";
  start += open.size();
  size_t end = text.find(close, start);
  if (end == std::string_view::npos) return "";
  return std::string(text.substr(start, end - start));
}

// The XML-like form, or else the quoted form.
std::string FileListValue(std::string_view text, const std::string& tag) {
  std::string value = Between(text, "<" + tag + ">", "</" + tag + ">");
  if (value.empty()) value = Between(text, tag + " = '", "'");
  return value;
}

// Runs one library step until it succeeds; after a failure an interactive run
// asks whether to retry. Raises the failure's message when not retried.
template <class Step>
void RunWithRetry(Step step, const std::string& failureFormat, const std::string& localFile,
                  bool interactive) {
  for (;;) {
    std::string reason;
    if (step(reason)) return;
    std::string message = qv::Format(failureFormat, {localFile, reason});
    if (!interactive ||
        qv::MessageDlg(message, qv::mtError, {qv::mbAbort, qv::mbRetry}) != qv::mrRetry)
      throw qv::Exception(message);
  }
}

}  // namespace

TFileListInfo ParseFileList(std::string_view text) {
  TFileListInfo info;
  info.Stamp = FileListValue(text, "Modify");
  std::string path = FileListValue(text, "Path");
  size_t last = path.find_last_of("\\/");
  if (last != std::string::npos) info.PublishedFolder = path.substr(0, last + 1);
  return info;
}

std::string EnsureBackslash(const std::string& folder) {
  std::string trimmed = qv::Trim(folder);
  if (!trimmed.empty() && trimmed.back() != '\\') trimmed += '\\';
  return trimmed;
}

std::string RemoteArchiveName(const std::string& publishedFolder, const std::string& localFile) {
  // A native folder already ends in its own separator.
  std::string folder = qv::Trim(publishedFolder);
  if (folder.empty() || folder.back() != '/') folder = EnsureBackslash(folder);
  return qv::LowerCase(folder + qv::ExtractFileName(localFile)) + ".zip";
}

std::string LocalArchiveName(const std::string& localFile) {
  return qv::IncludeTrailingBackslash(GetLongTempPath()) + qv::ExtractFileName(localFile) + ".zip";
}

bool UpgraderEnabled() {
  try {
    qv::TRegistry registry(qv::HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(kRegistryKey)) {
      WriteUpgraderLog(kLogName, "Read Upgrader Registry Error: No UPGRADER_REGISTRY_PATH", "D");
      return false;
    }
    return qv::Trim(registry.ReadString("GoAhead")) == "1";
  } catch (const std::exception& e) {
    // A switch that cannot be read (not a text, say) leaves updating off.
    WriteUpgraderLog(kLogName, std::string("Read Upgrader Registry Error: ") + e.what(), "D");
    return false;
  }
}

bool DownloadNewFile(const std::string& stamp, const std::string& publishedFolder,
                     const std::string& localFile, bool interactive, std::string& message) {
  message.clear();
  if (!UpgraderEnabled()) return true;
  try {
    TVOZaziVoza downloader;
    if (!downloader.CompareFileToDown(stamp, localFile)) return true;
    if (localFile.find("\\\\") != std::string::npos)
      throw qv::Exception(qv::Format("Net File can't update![%s]", {localFile}));

    const std::string remoteArchive = RemoteArchiveName(publishedFolder, localFile);
    const std::string localArchive = LocalArchiveName(localFile);
    const std::string target = qv::ExtractFilePath(localFile);
    RunWithRetry(
        [&](std::string& reason) {
          return downloader.VOZaziVozaFile(remoteArchive, localArchive, reason);
        },
        "DownLoad new file[%s] failed. %s", localFile, interactive);
    RunWithRetry(
        [&](std::string& reason) {
          return downloader.UnZipFilesOrDir(localArchive, target, reason);
        },
        "Unzip new file[%s] failed. %s", localFile, interactive);
    return true;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown error";
  }
  WriteUpgraderLog(kLogName, message, "D");
  return false;
}

bool UpdateModuleFile(const std::string& fileListText, const std::string& localFile,
                      bool interactive, std::string& message) {
  TFileListInfo info = ParseFileList(fileListText);
  return DownloadNewFile(info.Stamp, info.PublishedFolder, localFile, interactive, message);
}

}  // namespace ravlet
