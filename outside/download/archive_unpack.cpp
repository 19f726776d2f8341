#include "download/archive_unpack.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <set>

#include "platform/system/paths.h"
#include "platform/text/code_page.h"
#include "platform/text/unicode.h"

namespace standin {
namespace {

// Link targets longer than this are no paths of a published module.
constexpr zip_uint64_t kMaxLinkTarget = 4096;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { Reset(-1); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Reset(other.fd_);
      other.fd_ = -1;
    }
    return *this;
  }
  int get() const { return fd_; }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int fd_;
};

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;
using EntryPtr = std::unique_ptr<zip_file_t, EntryCloser>;

enum class EntryKind { File, Folder, Link };

struct PlannedEntry {
  zip_uint64_t Index = 0;
  std::string Name;
  std::vector<std::string> Segments;
  EntryKind Kind = EntryKind::File;
  mode_t Mode = 0644;
  std::string LinkTarget;
};

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

std::vector<std::string> SplitSegments(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (IsSeparator(c)) {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return parts;
}

bool StartsWithDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// Names written by Windows tools without the UTF-8 flag are in the
// workstation's code page; everything else is taken as UTF-8.
std::string DecodeEntryName(const char* raw) {
  std::string bytes(raw ? raw : "");
  if (qv::Utf16ToUtf8(qv::Utf8ToUtf16(bytes)) == bytes) return bytes;
  std::string utf8;
  if (qv::TryCodePageToUtf8(bytes, qv::GetAnsiCodePage(), utf8)) return utf8;
  return bytes;
}

std::string Joined(const std::vector<std::string>& segments, size_t count) {
  std::string path;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) path += '/';
    path += segments[i];
  }
  return path;
}

std::string ZipReason(zip_t* archive) {
  return zip_strerror(archive);
}

bool ReadEntry(zip_t* archive, zip_uint64_t index, zip_uint64_t limit, std::string& data,
               std::string& why) {
  EntryPtr entry(zip_fopen_index(archive, index, 0));
  if (!entry) {
    why = ZipReason(archive);
    return false;
  }
  char buffer[4096];
  for (;;) {
    zip_int64_t n = zip_fread(entry.get(), buffer, sizeof buffer);
    if (n < 0) {
      why = zip_file_strerror(entry.get());
      return false;
    }
    if (n == 0) return true;
    data.append(buffer, static_cast<size_t>(n));
    if (data.size() > limit) {
      why = "too long";
      return false;
    }
  }
}

// Reads every entry's name and kind and checks that it stays in the folder.
bool PlanEntries(zip_t* archive, std::vector<PlannedEntry>& plan, std::string& message) {
  zip_int64_t count = zip_get_num_entries(archive, 0);
  if (count <= 0) {
    message = "the archive holds no entries";
    return false;
  }
  std::set<std::string> links;
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    PlannedEntry entry;
    entry.Index = i;
    entry.Name = DecodeEntryName(zip_get_name(archive, i, ZIP_FL_ENC_RAW));
    auto refuse = [&](const std::string& why) {
      message = "Entry [" + entry.Name + "] refused: " + why;
      return false;
    };
    std::string why;
    auto segments = EntrySegments(entry.Name, why);
    if (!segments) return refuse(why);
    entry.Segments = std::move(*segments);

    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    zip_file_get_external_attributes(archive, i, 0, &system, &attributes);
    const mode_t unixMode = system == ZIP_OPSYS_UNIX ? static_cast<mode_t>(attributes >> 16) : 0;
    if (IsSeparator(entry.Name.back()) || S_ISDIR(unixMode)) {
      entry.Kind = EntryKind::Folder;
    } else if (S_ISLNK(unixMode)) {
      entry.Kind = EntryKind::Link;
      if (!ReadEntry(archive, i, kMaxLinkTarget, entry.LinkTarget, why))
        return refuse("its link target cannot be read: " + why);
      if (!LinkStaysInside(entry.Segments, entry.LinkTarget))
        return refuse("its link [" + entry.LinkTarget + "] leads outside the folder");
    } else if ((unixMode & 0777) != 0) {
      entry.Mode = (unixMode & 0777) | S_IRUSR | S_IWUSR;
    }
    if (entry.Segments.empty()) continue;  // the folder itself ("./")
    if (entry.Kind == EntryKind::Link) links.insert(Joined(entry.Segments, entry.Segments.size()));
    plan.push_back(std::move(entry));
  }
  // Writing below a link of the archive would follow it wherever it points.
  for (const PlannedEntry& entry : plan)
    for (size_t n = 1; n < entry.Segments.size(); ++n)
      if (links.count(Joined(entry.Segments, n))) {
        message = "Entry [" + entry.Name + "] refused: it lies below a link of the archive";
        return false;
      }
  return true;
}

// Opens the folder `segments[0..count)` below root, creating what is missing,
// without following any link.
bool OpenFolder(int root, const std::vector<std::string>& segments, size_t count,
                FileDescriptor& folder, std::string& why) {
  FileDescriptor current(::dup(root));
  if (current.get() < 0) {
    why = std::strerror(errno);
    return false;
  }
  for (size_t i = 0; i < count; ++i) {
    const char* name = segments[i].c_str();
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::openat(current.get(), name, flags);
    if (fd < 0 && errno == ENOENT) {
      if (::mkdirat(current.get(), name, 0755) != 0 && errno != EEXIST) {
        why = "folder [" + Joined(segments, i + 1) + "] cannot be created: " + std::strerror(errno);
        return false;
      }
      fd = ::openat(current.get(), name, flags);
    }
    if (fd < 0) {
      why = (errno == ELOOP || errno == ENOTDIR)
                ? "[" + Joined(segments, i + 1) + "] is a link or a file, not a folder"
                : "folder [" + Joined(segments, i + 1) +
                      "] cannot be opened: " + std::strerror(errno);
      return false;
    }
    current = FileDescriptor(fd);
  }
  folder = std::move(current);
  return true;
}

std::string TemporaryName(const std::string& finalName) {
  static std::mt19937_64 generator{std::random_device{}()};
  return "." + finalName + ".unzip" + std::to_string(generator() % 1000000000);
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

// Writes the entry's data into a new file in folder; its name goes to temporary.
bool WriteTemporaryFile(zip_t* archive, const PlannedEntry& entry, int folder,
                        std::string& temporary, std::string& why) {
  const std::string& name = entry.Segments.back();
  FileDescriptor out;
  for (int attempt = 0; attempt < 100 && out.get() < 0; ++attempt) {
    temporary = TemporaryName(name);
    out = FileDescriptor(::openat(folder, temporary.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.get() < 0 && errno != EEXIST) break;
  }
  if (out.get() < 0) {
    why = std::strerror(errno);
    temporary.clear();
    return false;
  }
  EntryPtr data(zip_fopen_index(archive, entry.Index, 0));
  if (!data) {
    why = ZipReason(archive);
    return false;
  }
  char buffer[1 << 15];
  for (;;) {
    zip_int64_t n = zip_fread(data.get(), buffer, sizeof buffer);
    if (n < 0) {
      why = zip_file_strerror(data.get());
      return false;
    }
    if (n == 0) break;
    if (!WriteAll(out.get(), buffer, static_cast<size_t>(n))) {
      why = std::strerror(errno);
      return false;
    }
  }
  if (::fchmod(out.get(), entry.Mode) != 0 || !out.Close()) {
    why = std::strerror(errno);
    return false;
  }
  return true;
}

bool WriteEntry(zip_t* archive, int root, const PlannedEntry& entry, std::string& why) {
  if (entry.Kind == EntryKind::Folder) {
    FileDescriptor folder;
    return OpenFolder(root, entry.Segments, entry.Segments.size(), folder, why);
  }
  FileDescriptor folder;
  if (!OpenFolder(root, entry.Segments, entry.Segments.size() - 1, folder, why)) return false;
  std::string temporary;
  bool written = false;
  if (entry.Kind == EntryKind::Link) {
    temporary = TemporaryName(entry.Segments.back());
    written = ::symlinkat(entry.LinkTarget.c_str(), folder.get(), temporary.c_str()) == 0;
    if (!written) {
      why = std::strerror(errno);
      temporary.clear();
    }
  } else {
    written = WriteTemporaryFile(archive, entry, folder.get(), temporary, why);
  }
  // Renaming replaces a file or link of that name, never what a link points to.
  if (written && ::renameat(folder.get(), temporary.c_str(), folder.get(),
                            entry.Segments.back().c_str()) != 0) {
    why = std::strerror(errno);
    written = false;
  }
  if (!written && !temporary.empty()) ::unlinkat(folder.get(), temporary.c_str(), 0);
  return written;
}

}  // namespace

std::optional<std::vector<std::string>> EntrySegments(std::string_view name, std::string& why) {
  if (name.empty()) {
    why = "it has no name";
    return std::nullopt;
  }
  if (IsSeparator(name[0])) {
    why = "its path is absolute";
    return std::nullopt;
  }
  if (StartsWithDrive(name)) {
    why = "its path starts with a drive";
    return std::nullopt;
  }
  std::vector<std::string> segments;
  for (std::string& segment : SplitSegments(name)) {
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      why = "its path holds \"..\"";
      return std::nullopt;
    }
    if (segment.find(':') != std::string::npos) {
      why = "its path holds \":\"";
      return std::nullopt;
    }
    segments.push_back(std::move(segment));
  }
  return segments;
}

bool LinkStaysInside(const std::vector<std::string>& segments, std::string_view linkTarget) {
  if (linkTarget.empty() || IsSeparator(linkTarget[0]) || StartsWithDrive(linkTarget) ||
      linkTarget.find('\0') != std::string_view::npos)
    return false;
  // ".." only at the start: after a name that may itself be a link, ".."
  // would be taken from wherever that link points.
  size_t depth = segments.empty() ? 0 : segments.size() - 1;
  bool named = false;
  for (const std::string& segment : SplitSegments(linkTarget)) {
    if (segment.empty() || segment == ".") continue;
    if (segment.find(':') != std::string::npos) return false;
    if (segment == "..") {
      if (named || depth == 0) return false;
      --depth;
    } else {
      named = true;
    }
  }
  return true;
}

UnpackResult UnpackArchive(const std::string& archive, const std::string& targetFolder) {
  UnpackResult result;
  if (archive.empty() || targetFolder.empty()) {
    result.Message = archive.empty() ? "No archive named" : "No target folder named";
    return result;
  }
  int code = 0;
  ArchivePtr zip(zip_open(qv::ToNativePath(archive).c_str(), ZIP_RDONLY, &code));
  if (!zip) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    result.Message = "Archive [" + archive + "] cannot be opened: " + zip_error_strerror(&error);
    zip_error_fini(&error);
    return result;
  }
  std::vector<PlannedEntry> plan;
  std::string why;
  if (!PlanEntries(zip.get(), plan, why)) {
    result.Message = "Archive [" + archive + "]: " + why;
    return result;
  }
  if (!qv::DirectoryExists(targetFolder) && !qv::ForceDirectories(targetFolder)) {
    result.Message = "Folder [" + targetFolder + "] cannot be created";
    return result;
  }
  FileDescriptor root(
      ::open(qv::ToNativePath(targetFolder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (root.get() < 0) {
    result.Message = "Folder [" + targetFolder + "] cannot be opened: " + std::strerror(errno);
    return result;
  }
  for (const PlannedEntry& entry : plan) {
    if (!WriteEntry(zip.get(), root.get(), entry, why)) {
      result.Message = "Entry [" + entry.Name + "] cannot be written: " + why;
      return result;
    }
    ++result.Count;
  }
  result.Ok = true;
  return result;
}

}  // namespace standin
