#include "runtime/alert_log.h"

#include <cxxabi.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <typeinfo>

namespace ravlet {
namespace {

const std::string kSeparator(34, '-');

std::string Pad(long value, int digits) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*ld", digits, value);
  return buf;
}

std::string ProgramFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  return exe.parent_path().string() + "/";
}

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string ToNative(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

struct Stamp {
  std::tm tm{};
  long millis = 0;
};

Stamp NowStamp() {
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  Stamp s;
  localtime_r(&t, &s.tm);
  s.millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
             1000;
  return s;
}

std::string DateStamp(const Stamp& s, std::string_view period) {
  std::string year = Pad(s.tm.tm_year + 1900, 4);
  if (period == "Y") return year;
  std::string month = year + Pad(s.tm.tm_mon + 1, 2);
  if (period == "M") return month;
  return month + Pad(s.tm.tm_mday, 2);
}

bool AppendLine(const std::string& folder, const std::string& fileName, const std::string& line) {
  try {
    std::error_code ec;
    std::string nativeFolder = ToNative(folder);
    if (!std::filesystem::is_directory(nativeFolder, ec)) {
      std::filesystem::create_directories(nativeFolder, ec);
      if (ec) return false;
    }
    std::ofstream out(ToNative(fileName), std::ios::binary | std::ios::app);
    if (!out) return false;
    out << line << "\r\n";
    out.flush();
    return static_cast<bool>(out);
  } catch (...) {
    return false;
  }
}

std::string TypeName(const std::exception& e) {
  const char* raw = typeid(e).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(raw, nullptr, nullptr, &status), &std::free);
  return status == 0 && demangled ? demangled.get() : raw;
}

bool IsBlank(const std::string& text) {
  for (unsigned char c : text)
    if (c > ' ') return false;
  return true;
}

void WriteOtherException(const std::string& className, const std::string& message) {
  WriteGeneratorLog("Exception is " + className + "\r\nMessage " + Pad(1, 2) + ": " + message);
  WriteGeneratorLog("ErrorMessage Count: 1");
}

void WriteSeparator(const std::string& location) {
  std::string part = IsBlank(location) ? "" : " on " + location + " ";
  WriteGeneratorLog(kSeparator + part + kSeparator);
}

void WriteProgrammerMessage(const std::string& programmerMessage) {
  if (!IsBlank(programmerMessage)) WriteGeneratorLog("Programer Message: " + programmerMessage);
}

}  // namespace

std::string GetLogRoot() { return ""; }

std::string GetGeneratorLogRoot() {
  std::string root = GetLogRoot();
  if (root.empty()) root = TempFolder();
  return root.empty() ? "C:\\Temp" : root;
}

bool WriteAlertLog(const std::string& name, const std::string& text, std::string_view period) {
  try {
    std::string root = GetLogRoot();
    if (root.empty()) root = ProgramFolder();
    std::string folder = root + "\\Log";
    Stamp now = NowStamp();
    std::string file = folder + "\\Alert_" + name + "_" + DateStamp(now, period);
    if (name.find('.') == std::string::npos) file += ".log";
    std::string prefix = "[" + Pad(now.tm.tm_year + 1900, 4) + "/" + Pad(now.tm.tm_mon + 1, 2) +
                         "/" + Pad(now.tm.tm_mday, 2) + " " + Pad(now.tm.tm_hour, 2) + ":" +
                         Pad(now.tm.tm_min, 2) + ":" + Pad(now.tm.tm_sec, 2) + ":" +
                         Pad(now.millis, 3) + "] ";
    return AppendLine(folder, file, prefix + text);
  } catch (...) {
    return false;
  }
}

bool WriteGeneratorLog(const std::string& text) {
  try {
    std::string folder = GetGeneratorLogRoot() + "\\Log";
    Stamp now = NowStamp();
    std::string file = folder + "\\Alert_BrammelGenerator_" + DateStamp(now, "D") + ".log";
    std::string prefix = "[" + Pad(now.tm.tm_year + 1900, 4) + "/" + Pad(now.tm.tm_mon + 1, 2) +
                         "/" + Pad(now.tm.tm_mday, 2) + " " + Pad(now.tm.tm_hour, 2) + ":" +
                         Pad(now.tm.tm_min, 2) + ":" + Pad(now.tm.tm_sec, 2) + "] ";
    return AppendLine(folder, file, prefix + text);
  } catch (...) {
    return false;
  }
}

void LogException(const qv::Exception* e, const std::string& location,
                  const std::string& programmerMessage) {
  WriteSeparator(location);
  if (e) {
    WriteGeneratorLog("讯息信息:");
    if (auto* db = dynamic_cast<const qv::EDBEngineError*>(e)) {
      int n = 0;
      for (const auto& err : db->Errors) {
        ++n;
        WriteGeneratorLog("EDBEngineError Error " + Pad(n, 2) +
                          ": Code: " + std::to_string(err.ErrorCode) + ", Message: " + err.Message);
      }
      WriteGeneratorLog("ErrorMessage Count: " + std::to_string(n));
    } else if (auto* win = dynamic_cast<const qv::EWin32Error*>(e)) {
      WriteGeneratorLog("EWin32Error Error 01: Code: " + std::to_string(win->ErrorCode) +
                        ", Message: " + win->Message());
      WriteGeneratorLog("ErrorMessage Count: 1");
    } else if (auto* io = dynamic_cast<const qv::EInOutError*>(e)) {
      WriteGeneratorLog("EInOutError Error 01: Code: " + std::to_string(io->ErrorCode) +
                        ", Message: " + io->Message());
      WriteGeneratorLog("ErrorMessage Count: 1");
    } else {
      WriteOtherException(e->ClassName(), e->Message());
    }
  }
  WriteProgrammerMessage(programmerMessage);
}

void LogException(const std::exception* e, const std::string& location,
                  const std::string& programmerMessage) {
  if (auto* qe = dynamic_cast<const qv::Exception*>(e)) {
    LogException(qe, location, programmerMessage);
    return;
  }
  WriteSeparator(location);
  if (e) {
    WriteGeneratorLog("讯息信息:");
    WriteOtherException(TypeName(*e), e->what());
  }
  WriteProgrammerMessage(programmerMessage);
}

void LogException(std::nullptr_t, const std::string& location,
                  const std::string& programmerMessage) {
  LogException(static_cast<const qv::Exception*>(nullptr), location, programmerMessage);
}

}  // namespace ravlet
