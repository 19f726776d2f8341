#pragma once
// A shown form for the tests of the small controls: it answers the lookup
// request by writing down what it was asked, and each test gets a fresh
// scripted input source (which answers the error dialogs).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/glyph_library.h"
#include "controls/open_lookup.h"
#include "platform/vcl/application.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"

namespace ravlet::test {

class TLookupForm : public qv::TForm {
  QV_DECLARE_CLASS(TLookupForm)
 public:
  using qv::TForm::TForm;

  struct Request {
    qv::TControl* control;
    qv::WPARAM wparam;
    // Whether the control had the focus when the request came.
    bool focused;
  };
  std::vector<Request> requests;

 protected:
  void WMOpenLookup(qv::TMessage& message);
};

// Answers every message dialog with its OK button and keeps the dialogs'
// texts and kinds.
class TDialogRecorder : public qv::TInputSource {
 public:
  bool Next(qv::TInputEvent& event) override;
  std::vector<std::string> texts;
  std::vector<qv::TMsgDlgType> kinds;
};

class SmallControlsTest : public ::testing::Test {
 protected:
  SmallControlsTest() {
    form = qv::CreateUnowned<TLookupForm>();
    form->SetName("frmSmall");
    form->SetBounds(0, 0, 640, 480);
  }
  void SetUp() override {
    input = std::make_shared<qv::TScriptedInputSource>();
    qv::Application->SetInputSource(input);
  }
  void TearDown() override {
    qv::Application->SetInputSource(nullptr);
    qv::Application->ProcessMessages();
    SetGlyphLibrary(nullptr);
  }

  // A control owned by the form and placed on `parent` (the form by default).
  template <typename T>
  T* Place(const std::string& name, qv::TWinControl* parent = nullptr) {
    T* control = qv::Create<T>(form.get());
    control->SetName(name);
    control->SetParent(parent ? parent : form.get());
    return control;
  }
  // From now on message dialogs are answered by `dialogs`.
  void RecordDialogs() { qv::Application->SetInputSource(dialogs); }
  qv::TNotifyEvent Note(const std::string& entry) {
    return [this, entry](qv::TObject*) { journal.push_back(entry); };
  }

  std::shared_ptr<qv::TScriptedInputSource> input;
  std::shared_ptr<TDialogRecorder> dialogs = std::make_shared<TDialogRecorder>();
  qv::TComponentPtr<TLookupForm> form;
  std::vector<std::string> journal;
};

using Journal = std::vector<std::string>;

}  // namespace ravlet::test
