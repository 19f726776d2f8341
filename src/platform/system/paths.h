#pragma once
// Windows-style path texts ("C:\Dir\File.ext", "\\server\share\x") and their
// mapping to native paths. Every function here accepts "\" and "/" alike.

#include <string>

namespace qv {

// Up to and including the last "\", "/" or ":".
std::string ExtractFilePath(const std::string& fileName);
// As ExtractFilePath without the final separator, except after a drive or root.
std::string ExtractFileDir(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);
// The extension with its dot, taken from the file-name part only.
std::string ExtractFileExt(const std::string& fileName);
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
// Appends "\" unless the text already ends with "\" or "/".
std::string IncludeTrailingBackslash(const std::string& path);
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingBackslash(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);
// "C:…" or a network share "\\server\share…".
bool HasDrivePrefix(const std::string& path);

// Drive letters and network shares map to native folders through QVR_DRIVE_MAP
// ("C=/srv/c;D=/data/d;\\server\share=/mnt/share") and the mappings set here,
// which take precedence.
void SetDriveMapping(const std::string& driveOrShare, const std::string& nativeFolder);
void ClearDriveMappings();

// The native path of a Windows-style or native path text: the drive or share is
// replaced by its folder, "\" becomes "/", and a component that does not exist
// with its exact case is matched against the folder's entries without regard to
// case. A native absolute path passes through; an unmapped drive or share gives
// a path that never exists.
std::string ToNativePath(const std::string& path);

bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& directory);
// Creates the folder and its missing parents; false on failure.
bool ForceDirectories(const std::string& directory);
bool DeleteFile(const std::string& fileName);
// Fails, like the Windows call, when the new name already exists.
bool RenameFile(const std::string& oldName, const std::string& newName);

}  // namespace qv
