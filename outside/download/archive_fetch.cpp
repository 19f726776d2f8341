#include "download/archive_fetch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "platform/system/paths.h"
#include "platform/text/string_utils.h"

namespace standin {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

FetchResult Failure(std::string message, int error) {
  FetchResult result;
  result.Error = error;
  result.Message = std::move(message);
  if (error != 0) result.Message += ": " + std::string(std::strerror(error));
  return result;
}

bool IsAbsolute(const std::string& path) {
  return qv::HasDrivePrefix(path) || (!path.empty() && (path[0] == '/' || path[0] == '\\'));
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// A new, empty file beside target, opened for writing; its name goes to path.
int CreateTemporaryBeside(const std::string& target, std::string& path) {
  path = target + ".partXXXXXX";
  return ::mkostemp(path.data(), O_CLOEXEC);
}

}  // namespace

bool ParseTimeLimit(const std::string& text, int& seconds) {
  std::string trimmed = qv::Trim(text);
  if (trimmed.empty()) {
    seconds = 0;
    return true;
  }
  for (char c : trimmed)
    if (c < '0' || c > '9') return false;
  return qv::TryStrToInt(trimmed, seconds);
}

FetchResult FetchArchive(const std::string& remoteArchive, const std::string& localArchive,
                         int timeLimitSeconds) {
  if (!IsAbsolute(remoteArchive))
    return Failure("Published archive [" + remoteArchive + "] is not in an absolute folder", 0);
  if (localArchive.empty()) return Failure("No local archive named", 0);

  std::string source = qv::ToNativePath(remoteArchive);
  FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0)
    return Failure("Published archive [" + remoteArchive + "] cannot be opened", errno);
  struct stat info {};
  if (::fstat(in.get(), &info) != 0)
    return Failure("Published archive [" + remoteArchive + "] cannot be read", errno);
  if (!S_ISREG(info.st_mode))
    return Failure("Published archive [" + remoteArchive + "] is not a file", 0);

  std::string folder = qv::ExtractFilePath(localArchive);
  if (!folder.empty() && !qv::DirectoryExists(folder) && !qv::ForceDirectories(folder))
    return Failure("Folder [" + folder + "] cannot be created", errno);
  std::string target = qv::ToNativePath(localArchive);
  std::string temporary;
  FileDescriptor out(CreateTemporaryBeside(target, temporary));
  if (out.get() < 0)
    return Failure("Local archive [" + localArchive + "] cannot be created", errno);

  auto abandon = [&](std::string message, int error) {
    out.Close();
    ::unlink(temporary.c_str());
    return Failure(std::move(message), error);
  };

  const auto start = std::chrono::steady_clock::now();
  std::vector<char> buffer(1 << 16);
  std::int64_t copied = 0;
  for (;;) {
    ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return abandon("Published archive [" + remoteArchive + "] cannot be read", errno);
    }
    if (n == 0) break;
    if (!WriteAll(out.get(), buffer.data(), static_cast<size_t>(n)))
      return abandon("Local archive [" + localArchive + "] cannot be written", errno);
    copied += n;
    if (timeLimitSeconds > 0 &&
        std::chrono::steady_clock::now() - start > std::chrono::seconds(timeLimitSeconds))
      return abandon("Fetching [" + remoteArchive + "] took longer than " +
                         std::to_string(timeLimitSeconds) + " seconds",
                     0);
  }
  if (::fchmod(out.get(), 0644) != 0 || !out.Close())
    return abandon("Local archive [" + localArchive + "] cannot be written", errno);
  if (::rename(temporary.c_str(), target.c_str()) != 0)
    return abandon("Local archive [" + localArchive + "] cannot be replaced", errno);

  FetchResult result;
  result.Ok = true;
  result.Size = copied;
  return result;
}

}  // namespace standin
