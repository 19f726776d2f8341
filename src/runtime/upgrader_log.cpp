#include "runtime/upgrader_log.h"

#include <cstdio>
#include <memory>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "platform/system/environment.h"
#include "platform/system/paths.h"
#include "platform/text/code_page.h"

namespace ravlet {
namespace {

std::string DateStamp(qv::TDateTime today, std::string_view period) {
  if (period == "M") return qv::FormatDateTime("yyyymm", today);
  if (period == "Y") return qv::FormatDateTime("yyyy", today);
  return qv::FormatDateTime("yyyymmdd", today);
}

std::string ToAnsiBytes(const std::string& utf8) {
  std::string bytes;
  if (qv::TryUtf8ToCodePage(utf8, qv::GetAnsiCodePage(), bytes)) return bytes;
  return utf8;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool WriteUpgraderLog(const std::string& name, const std::string& text, std::string_view period) {
  // The name becomes part of a file name: it must not lead out of the folder.
  if (name.find_first_of("\\/:") != std::string::npos) return false;
  try {
    std::string folder = qv::GetHostProgramFolder() + "\\Log";
    qv::TDateTime now = qv::Now();
    std::string file = folder + "\\Alert_" + name + "_" + DateStamp(now, period);
    if (name.find('.') == std::string::npos) file += ".log";
    std::string line = "[" + qv::FormatDateTime("YYYY/MM/DD hh:nn:ss:zzz", now) + "] " + text;
    if (!qv::DirectoryExists(folder) && !qv::ForceDirectories(folder)) return false;
    std::string bytes = ToAnsiBytes(line) + "\r\n";
    std::unique_ptr<std::FILE, FileCloser> out(std::fopen(qv::ToNativePath(file).c_str(), "ab"));
    if (!out) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    return std::fclose(out.release()) == 0 && written;
  } catch (...) {
    return false;
  }
}

}  // namespace ravlet
