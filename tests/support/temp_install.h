#pragma once
// A throw-away installation for tests: a temporary folder with its own
// registry file (QVR_REGISTRY), its own temporary folder (TMPDIR) and a drive
// letter mapped onto it. Everything it changes in the process is restored
// when it goes out of scope.

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/system/paths.h"
#include "platform/text/code_page.h"

namespace ravlet::testing {

// Sets (or, with nullopt, removes) an environment variable for its lifetime.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) previous_ = old;
    Apply(value);
  }
  ~ScopedEnv() { Apply(previous_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Apply(const std::optional<std::string>& value) {
    if (value)
      ::setenv(name_.c_str(), value->c_str(), 1);
    else
      ::unsetenv(name_.c_str());
  }
  std::string name_;
  std::optional<std::string> previous_;
};

// Sets the workstation's ANSI code page for its lifetime.
class ScopedAnsiCodePage {
 public:
  explicit ScopedAnsiCodePage(int cp) : previous_(qv::GetAnsiCodePage()) {
    qv::SetAnsiCodePage(cp);
  }
  ~ScopedAnsiCodePage() { qv::SetAnsiCodePage(previous_); }
  ScopedAnsiCodePage(const ScopedAnsiCodePage&) = delete;
  ScopedAnsiCodePage& operator=(const ScopedAnsiCodePage&) = delete;

 private:
  int previous_;
};

class TempInstall {
 public:
  // The drive letter that maps onto Root(): "D:\x" is Path("x").
  static constexpr char kDrive = 'D';

  TempInstall()
      : root_(MakeRoot()),
        registry_("QVR_REGISTRY", (root_ / "registry.reg").string()),
        tmp_("TMPDIR", (root_ / "tmp").string()) {
    std::filesystem::create_directories(root_ / "tmp");
    qv::SetDriveMapping(std::string(1, kDrive), root_.string());
  }
  ~TempInstall() {
    qv::ClearDriveMappings();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempInstall(const TempInstall&) = delete;
  TempInstall& operator=(const TempInstall&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // Native path of a file or folder below the root ("a/b").
  std::filesystem::path Path(std::string_view relative = "") const { return root_ / relative; }
  // The folder the process uses as its temporary folder.
  std::filesystem::path TempFolder() const { return root_ / "tmp"; }

  // Replaces the registry with raw ".reg" text.
  void WriteRegistry(std::string_view text) const { WriteFile("registry.reg", text); }

  // Replaces the registry with one installation key holding the given string
  // values; nothing else exists.
  void SetInstallValues(std::initializer_list<std::pair<std::string, std::string>> values) const {
    std::string text =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\QVR\\Skeldor]\r\n";
    for (const auto& [name, value] : values)
      text += "\"" + Escape(name) + "\"=\"" + Escape(value) + "\"\r\n";
    WriteRegistry(text);
  }

  void WriteFile(std::string_view relative, std::string_view bytes) const {
    std::filesystem::path file = root_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // The bytes of a file below the root; nullopt when it does not exist.
  std::optional<std::string> ReadFile(std::string_view relative) const {
    return ReadNative(root_ / relative);
  }

  static std::optional<std::string> ReadNative(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  // Names of the entries directly inside a folder below the root, sorted.
  std::vector<std::string> FileNames(std::string_view relative) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / relative, ec))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  static std::filesystem::path MakeRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "ravlet-install-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
  }

  static std::string Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
      if (c == '\\' || c == '"') out += '\\';
      out += c;
    }
    return out;
  }

  std::filesystem::path root_;
  ScopedEnv registry_;
  ScopedEnv tmp_;
};

}  // namespace ravlet::testing
