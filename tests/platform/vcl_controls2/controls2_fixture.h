#pragma once
// A shown form for the tests of the masked edit, the speed and bitmap
// buttons, the page control and the list view, with a fresh scripted input
// source per test and a journal the handlers write to.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/application.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"

namespace qv::test {

using Journal = std::vector<std::string>;

class Controls2Test : public ::testing::Test {
 protected:
  Controls2Test() {
    form = CreateUnowned<TForm>();
    form->SetName("frmControls2");
    form->SetBounds(0, 0, 640, 480);
    other = Place<TEdit>("edOther");
  }
  void SetUp() override {
    input = std::make_shared<TScriptedInputSource>();
    Application->SetInputSource(input);
  }
  void TearDown() override {
    Application->SetInputSource(nullptr);
    Application->ProcessMessages();
  }

  // A control owned by the form and placed on `parent` (the form by default).
  template <typename T>
  T* Place(const std::string& name, TWinControl* parent = nullptr) {
    T* control = Create<T>(form.get());
    control->SetName(name);
    control->SetParent(parent ? parent : form.get());
    return control;
  }
  TNotifyEvent Note(const std::string& entry) {
    return [this, entry](TObject*) { journal.push_back(entry); };
  }

  std::shared_ptr<TScriptedInputSource> input;
  TComponentPtr<TForm> form;
  // A control to move the focus to.
  TEdit* other;
  Journal journal;
};

}  // namespace qv::test
