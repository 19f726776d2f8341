#pragma once
// A throw-away installation whose client profile names the code pages, for
// the tests of the converter and of language packages.

#include <filesystem>
#include <string>

#include "support/temp_install.h"

namespace ravlet::testing {

struct CodePages {
  int system = 936;        // the workstation's ANSI code page
  std::string ui = "936";  // UICodePage of the profile
  std::string db = "936";  // DBCodePage of the profile
};

class LanguageInstall {
 public:
  explicit LanguageInstall(const CodePages& pages) : ansi_(pages.system) {
    install_.SetInstallValues({{"ClientPath", "D:\\Erp\\"}, {"ServerPath", "D:\\Srv\\"}});
    const std::string profile =
        "[CodePage]\r\nUICodePage=" + pages.ui + "\r\nDBCodePage=" + pages.db + "\r\n";
    install_.WriteFile("Erp/SkeldorC.ini", profile);
    install_.WriteFile("Srv/SkeldorS.ini", profile);
  }

  TempInstall& Files() { return install_; }

  // Copies the tests' MultiLanguage folder into the client installation.
  void CopyPackages() {
    std::filesystem::copy(std::filesystem::path(RAVLET_LANGUAGE_TEST_DIR) / "MultiLanguage",
                          install_.Path("Erp/MultiLanguage"),
                          std::filesystem::copy_options::recursive);
  }

 private:
  TempInstall install_;
  ScopedAnsiCodePage ansi_;
  ScopedEnv user_{"QVR_USER_NAME", "tester"};
};

}  // namespace ravlet::testing
