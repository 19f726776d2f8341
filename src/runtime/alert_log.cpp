#include "runtime/alert_log.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "platform/system/environment.h"
#include "platform/system/paths.h"
#include "platform/text/code_page.h"
#include "platform/text/format.h"
#include "platform/text/string_utils.h"
#include "runtime/install_key.h"

namespace ravlet {
namespace {

const std::string kSeparator(34, '-');

// ClientPath, else ServerPath; empty when the key cannot be opened.
std::string ReadInstallFolder() {
  InstallValues values = ReadInstallValues();
  return values.ClientPath.empty() ? values.ServerPath : values.ClientPath;
}

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

// Appends one line ending in CR LF, creating the folder and the file when
// they are missing.
bool AppendLine(const std::string& folder, const std::string& fileName, const std::string& line) {
  if (!qv::DirectoryExists(folder) && !qv::ForceDirectories(folder)) return false;
  std::string bytes = ToAnsiBytes(line) + "\r\n";
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(qv::ToNativePath(fileName).c_str(), "ab"));
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

std::string TypeName(const std::exception& e) {
  const char* raw = typeid(e).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(raw, nullptr, nullptr, &status), &std::free);
  return status == 0 && demangled ? demangled.get() : raw;
}

bool IsBlank(const std::string& text) {
  return qv::Trim(text).empty();
}

void WriteSeparator(const std::string& location) {
  std::string part = IsBlank(location) ? "" : " on " + location + " ";
  WriteGeneratorLog(kSeparator + part + kSeparator);
}

void WriteOtherException(const std::string& className, const std::string& message) {
  // The message is appended, not formatted: it may hold "%" itself.
  WriteGeneratorLog(qv::Format("Exception is %s\r\nMessage %.2d: ", {className, 1}) + message);
  WriteGeneratorLog(qv::Format("ErrorMessage Count: %d", {1}));
}

void WriteErrorLines(const qv::Exception& e) {
  if (auto* db = dynamic_cast<const qv::EDBEngineError*>(&e)) {
    int n = 0;
    for (const auto& err : db->Errors) {
      ++n;
      WriteGeneratorLog(qv::Format("EDBEngineError Error %.2d: Code: %d, Message: %s",
                                   {n, err.ErrorCode, err.Message}));
    }
    WriteGeneratorLog(qv::Format("ErrorMessage Count: %d", {n}));
  } else if (auto* win = dynamic_cast<const qv::EWin32Error*>(&e)) {
    WriteGeneratorLog(qv::Format("EWin32Error Error %.2d: Code: %d, Message: %s",
                                 {1, static_cast<long long>(win->ErrorCode), win->Message()}));
    WriteGeneratorLog(qv::Format("ErrorMessage Count: %d", {1}));
  } else if (auto* io = dynamic_cast<const qv::EInOutError*>(&e)) {
    WriteGeneratorLog(qv::Format("EInOutError Error %.2d: Code: %d, Message: %s",
                                 {1, io->ErrorCode, io->Message()}));
    WriteGeneratorLog(qv::Format("ErrorMessage Count: %d", {1}));
  } else {
    WriteOtherException(e.ClassName(), e.Message());
  }
}

void WriteProgrammerMessage(const std::string& programmerMessage) {
  if (!IsBlank(programmerMessage)) WriteGeneratorLog("Programer Message: " + programmerMessage);
}

// Each item of the block is written on its own; a failed write (or a
// formatting failure) must not stop the following ones.
template <class Step>
void Guarded(Step step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

std::string GetLogRoot() {
  try {
    return ReadInstallFolder();
  } catch (...) {
    return "";
  }
}

std::string GetGeneratorLogRoot() {
  try {
    std::string root = ReadInstallFolder();
    if (root.empty()) root = qv::GetTempFolder();
    if (!root.empty()) return root;
  } catch (...) {
  }
  return "C:\\Temp";
}

bool WriteAlertLog(const std::string& name, const std::string& text, std::string_view period) {
  // The name becomes part of a file name: it must not lead out of the folder.
  if (name.find_first_of("\\/:") != std::string::npos) return false;
  try {
    std::string root = GetLogRoot();
    if (root.empty()) root = qv::GetHostProgramFolder();
    std::string folder = root + "\\Log";
    qv::TDateTime now = qv::Now();
    std::string file = folder + "\\Alert_" + name + "_" + DateStamp(now, period);
    if (name.find('.') == std::string::npos) file += ".log";
    std::string line = "[" + qv::FormatDateTime("YYYY/MM/DD hh:nn:ss:zzz", now) + "] " + text;
    return AppendLine(folder, file, line);
  } catch (...) {
    return false;
  }
}

bool WriteGeneratorLog(const std::string& text) {
  try {
    std::string folder = GetGeneratorLogRoot() + "\\Log";
    qv::TDateTime now = qv::Now();
    std::string file = folder + "\\Alert_BrammelGenerator_" + DateStamp(now, "D") + ".log";
    std::string line = "[" + qv::DateToStr(now) + " " + qv::TimeToStr(now) + "] " + text;
    return AppendLine(folder, file, line);
  } catch (...) {
    return false;
  }
}

void LogException(const qv::Exception* e, const std::string& location,
                  const std::string& programmerMessage) {
  Guarded([&] { WriteSeparator(location); });
  if (e) {
    Guarded([&] { WriteGeneratorLog("讯息信息:"); });
    Guarded([&] { WriteErrorLines(*e); });
  }
  Guarded([&] { WriteProgrammerMessage(programmerMessage); });
}

void LogException(const std::exception* e, const std::string& location,
                  const std::string& programmerMessage) {
  if (auto* platformError = dynamic_cast<const qv::Exception*>(e)) {
    LogException(platformError, location, programmerMessage);
    return;
  }
  Guarded([&] { WriteSeparator(location); });
  if (e) {
    Guarded([&] { WriteGeneratorLog("讯息信息:"); });
    Guarded([&] { WriteOtherException(TypeName(*e), e->what()); });
  }
  Guarded([&] { WriteProgrammerMessage(programmerMessage); });
}

void LogException(std::nullptr_t, const std::string& location,
                  const std::string& programmerMessage) {
  LogException(static_cast<const qv::Exception*>(nullptr), location, programmerMessage);
}

}  // namespace ravlet
