#pragma once
// Keeps the local copy of a server-side module library in step with the copy
// published for the installation: the download library compares the
// published stamp with the local file, fetches the newer file as a ZIP
// archive and unpacks it over the local file's folder. Failures are logged to
// the upgrader log and handed back as a message; nothing is thrown.

#include <string>
#include <string_view>

namespace ravlet {

// The values a file-list text gives: the published modification stamp and
// the folder of the published path (up to and including its last "\", or
// "/" for a native path).
struct TFileListInfo {
  std::string Stamp;
  std::string PublishedFolder;
};

// Reads "<Modify>…</Modify>" (or else "Modify = '…'") and "<Path>…</Path>"
// (or else "Path = '…'"); a value whose closing marker is missing is empty.
TFileListInfo ParseFileList(std::string_view text);

// Takes the stamp and published folder from the file-list text and runs
// DownloadNewFile.
bool UpdateModuleFile(const std::string& fileListText, const std::string& localFile,
                      bool interactive, std::string& message);

// True when localFile is up to date afterwards, or when updating is switched
// off. Otherwise false with the reason in message (also written to the
// upgrader log). Interactive runs offer Retry after a failed download or
// unpack.
bool DownloadNewFile(const std::string& stamp, const std::string& publishedFolder,
                     const std::string& localFile, bool interactive, std::string& message);

// The registry switch HKEY_LOCAL_MACHINE\Software\Hoskin\Ferrolund, value
// GoAhead: updating is on only when it reads "1" once trimmed.
bool UpgraderEnabled();

// The trimmed folder with "\" appended unless it is empty or ends in "\".
std::string EnsureBackslash(const std::string& folder);

// The archive names of one update of localFile: the published archive is
// folder + "\" when missing + file name, lower-cased, + ".zip" (a native
// folder keeps its "/"); the local one lies in the
// temporary folder and keeps the file name's case.
std::string RemoteArchiveName(const std::string& publishedFolder, const std::string& localFile);
std::string LocalArchiveName(const std::string& localFile);

}  // namespace ravlet
