#pragma once
// Builds ZIP archives for tests with libzip, including entries no honest
// archiver would write (names with "..", absolute names, links leading out).
// Folders that include this link libzip (see their tests.cmake).

#include <sys/stat.h>
#include <zip.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace ravlet::testing {

struct ZipEntry {
  enum Kind { kFile, kFolder, kLink };
  std::string Name;
  std::string Data;  // a file's bytes, or a link's target
  Kind Type = kFile;
};

inline void WriteZip(const std::filesystem::path& file, const std::vector<ZipEntry>& entries) {
  std::filesystem::create_directories(file.parent_path());
  int code = 0;
  zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (archive == nullptr) throw std::runtime_error("zip_open failed for " + file.string());
  auto fail = [&](const std::string& what) {
    std::string reason = what + ": " + zip_strerror(archive);
    zip_discard(archive);
    throw std::runtime_error(reason);
  };
  for (const ZipEntry& entry : entries) {
    zip_int64_t index;
    if (entry.Type == ZipEntry::kFolder) {
      index = zip_dir_add(archive, entry.Name.c_str(), ZIP_FL_ENC_UTF_8);
    } else {
      // libzip copies nothing until zip_close, so the data must outlive the
      // archive handle: entries is the caller's and lives long enough.
      zip_source_t* source = zip_source_buffer(archive, entry.Data.data(), entry.Data.size(), 0);
      if (source == nullptr) fail("zip_source_buffer");
      index = zip_file_add(archive, entry.Name.c_str(), source, ZIP_FL_ENC_UTF_8);
      if (index < 0) zip_source_free(source);
    }
    if (index < 0) fail("adding " + entry.Name);
    if (entry.Type == ZipEntry::kLink &&
        zip_file_set_external_attributes(archive, static_cast<zip_uint64_t>(index), 0,
                                         ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16) != 0)
      fail("marking " + entry.Name + " as a link");
  }
  if (zip_close(archive) != 0) fail("zip_close");
}

}  // namespace ravlet::testing
