#pragma once
// A throw-away installation for the base-window tests: a client profile
// naming the code pages, the tests' language packages in its MultiLanguage
// folder, the shipped registry of the stand-ins (so "PellamWorkCenter.Manager"
// can be created) and a data folder of its own.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/application.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/screen.h"
#include "support/temp_install.h"

namespace ravlet::testing {

struct CodePages {
  int system = 936;        // the workstation's ANSI code page
  std::string ui = "936";  // UICodePage of the client profile
  std::string db = "936";  // DBCodePage of the client profile
};

class FormsInstall {
 public:
  explicit FormsInstall(const CodePages& pages = {}) : ansi_(pages.system) {
    std::string registry = *TempInstall::ReadNative(RAVLET_REGISTRY_FILE);
    const size_t header_end = registry.find('\n');
    registry.erase(0, header_end == std::string::npos ? registry.size() : header_end + 1);
    install_.WriteRegistry(
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\QVR\\Skeldor]\r\n"
        "\"ClientPath\"=\"D:\\\\Erp\\\\\"\r\n"
        "\"ServerPath\"=\"D:\\\\Srv\\\\\"\r\n\r\n" +
        registry);
    const std::string profile =
        "[CodePage]\r\nUICodePage=" + pages.ui + "\r\nDBCodePage=" + pages.db + "\r\n";
    install_.WriteFile("Erp/SkeldorC.ini", profile);
    install_.WriteFile("Srv/SkeldorS.ini", profile);
    std::filesystem::create_directories(install_.Path("data"));
    std::filesystem::copy(std::filesystem::path(RAVLET_FORMS_TEST_DIR) / "MultiLanguage",
                          install_.Path("Erp/MultiLanguage"),
                          std::filesystem::copy_options::recursive);
  }

  TempInstall& Files() { return install_; }

 private:
  TempInstall install_;
  ScopedAnsiCodePage ansi_;
  ScopedEnv data_{"RAVLET_DATA_DIR", install_.Path("data").string()};
};

// One message dialog as the person saw it.
struct SeenDialog {
  std::string Caption;
  std::string Text;
  qv::TMsgDlgType Kind = qv::mtCustom;
  // Button names and captions, in the dialog's order.
  std::vector<std::string> Buttons;
  std::vector<std::string> ButtonCaptions;
  std::string FontName;
  int Charset = -1;
};

// Answers every modal message dialog by clicking the next button of its
// queue ("OK" when the queue is empty) and keeps what each dialog showed.
class DialogAnswers : public qv::TInputSource {
 public:
  DialogAnswers& Then(std::string button) {
    answers_.push_back(std::move(button));
    return *this;
  }

  bool Next(qv::TInputEvent& event) override {
    auto* dialog = dynamic_cast<qv::TMessageForm*>(qv::Screen->ModalForm());
    if (dialog == nullptr) return false;
    SeenDialog seen;
    seen.Caption = dialog->Caption();
    seen.Text = dialog->Message()->Caption();
    seen.Kind = dialog->DialogType();
    for (int b = qv::mbYes; b <= qv::mbHelp; ++b) {
      if (qv::TButton* button = dialog->Button(static_cast<qv::TMsgDlgBtn>(b))) {
        seen.Buttons.push_back(button->Name());
        seen.ButtonCaptions.push_back(button->Caption());
      }
    }
    seen.FontName = dialog->Font()->Name();
    seen.Charset = dialog->Font()->Charset();
    Seen.push_back(std::move(seen));
    std::string button = "OK";
    if (!answers_.empty()) {
      button = answers_.front();
      answers_.erase(answers_.begin());
    }
    event = qv::TInputEvent::Click(button);
    return true;
  }

  std::vector<SeenDialog> Seen;

 private:
  std::vector<std::string> answers_;
};

// Puts a DialogAnswers in as the application's input for its lifetime.
class ScopedDialogAnswers {
 public:
  ScopedDialogAnswers() : answers_(std::make_shared<DialogAnswers>()) {
    qv::Application->SetInputSource(answers_);
  }
  ~ScopedDialogAnswers() {
    qv::Application->SetInputSource(nullptr);
    qv::Application->ProcessMessages();
  }
  ScopedDialogAnswers(const ScopedDialogAnswers&) = delete;
  ScopedDialogAnswers& operator=(const ScopedDialogAnswers&) = delete;

  DialogAnswers& operator*() const { return *answers_; }
  DialogAnswers* operator->() const { return answers_.get(); }

 private:
  std::shared_ptr<DialogAnswers> answers_;
};

}  // namespace ravlet::testing
