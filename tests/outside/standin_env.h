#pragma once
// A private world for a stand-in test: a fresh data folder and a copy of the
// shipped registry file, named by RAVLET_DATA_DIR and QVR_REGISTRY for as long
// as the object lives (the previous values come back afterwards).

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/system/environment.h"

namespace standin_test {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = getenv(name)) previous_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (previous_)
      setenv(name_, previous_->c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class StandinEnvironment {
 public:
  StandinEnvironment()
      : root_(MakeRoot()),
        data_(root_ + "/data/"),
        registry_(root_ + "/ravlet.reg"),
        dataEnv_("RAVLET_DATA_DIR", data_),
        registryEnv_("QVR_REGISTRY", registry_) {
    std::filesystem::create_directories(data_);
    std::filesystem::copy_file(RAVLET_REGISTRY_FILE, registry_);
  }
  ~StandinEnvironment() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  const std::string& Root() const { return root_; }
  const std::string& DataDir() const { return data_; }
  const std::string& RegistryFile() const { return registry_; }
  // Adds keys or values to this test's registry copy.
  void AppendRegistry(const std::string& text) const {
    std::ofstream(registry_, std::ios::app) << "\n" << text << "\n";
  }

 private:
  static std::string MakeRoot() {
    std::string pattern = qv::GetTempFolder() + "ravlet-standin-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
  }

  std::string root_, data_, registry_;
  ScopedEnv dataEnv_, registryEnv_;
};

}  // namespace standin_test
