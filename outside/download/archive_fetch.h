#pragma once
// Fetching a published archive: a copy from the published folder.

#include <cstdint>
#include <string>

namespace standin {

struct FetchResult {
  bool Ok = false;
  std::int64_t Size = 0;  // bytes copied
  int Error = 0;          // the system error number of a failure
  std::string Message;    // why it failed (UTF-8)
};

// Copies remoteArchive (an absolute Windows-style or native path) to
// localArchive through a temporary file beside it, creating its folder when
// missing. timeLimitSeconds > 0 abandons a copy that takes longer.
FetchResult FetchArchive(const std::string& remoteArchive, const std::string& localArchive,
                         int timeLimitSeconds);

// The time limit text of the library call: whole seconds, empty or 0 for
// none. False for a text that is no such number.
bool ParseTimeLimit(const std::string& text, int& seconds);

}  // namespace standin
