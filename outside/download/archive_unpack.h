#pragma once
// Unpacking a fetched ZIP archive into a folder, never outside it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin {

struct UnpackResult {
  bool Ok = false;
  int Count = 0;        // entries written
  std::string Message;  // why it failed (UTF-8)
};

// Unpacks archive (a Windows-style or native path) into targetFolder,
// created when missing. Every entry name is checked before anything is
// written; one that would lead out of the folder refuses the whole archive.
// Files are written beside their final name and renamed over it, and no
// entry is written through a symbolic link found in the folder.
UnpackResult UnpackArchive(const std::string& archive, const std::string& targetFolder);

// The path segments of an entry name ("/" and "\" both separate; "." and
// empty segments are dropped), or nullopt with the reason in `why` when the
// name is absolute, starts with a drive letter, or holds ".." or ":".
std::optional<std::vector<std::string>> EntrySegments(std::string_view name, std::string& why);

// True when a symbolic link at `segments` with that target stays inside the
// folder, reading ".." against the link's own folder.
bool LinkStaysInside(const std::vector<std::string>& segments, std::string_view linkTarget);

}  // namespace standin
