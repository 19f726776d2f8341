#pragma once
// A shown form for the tests of the standard controls, with a fresh scripted
// input source per test, and a journal the controls' handlers write to.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/vcl/application.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"

namespace qv {

inline void PrintTo(const TPoint& p, std::ostream* os) {
  *os << "(" << p.X << ", " << p.Y << ")";
}
inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

}  // namespace qv

namespace qv::test {

class ControlsTest : public ::testing::Test {
 protected:
  ControlsTest() {
    form = CreateUnowned<TForm>();
    form->SetName("frmControls");
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
  // Writes "<name> <event>" to the journal.
  TNotifyEvent Note(const std::string& entry) {
    return [this, entry](TObject*) { journal.push_back(entry); };
  }

  std::shared_ptr<TScriptedInputSource> input;
  TComponentPtr<TForm> form;
  // A control to move the focus to.
  TEdit* other;
  std::vector<std::string> journal;
};

using Journal = std::vector<std::string>;

}  // namespace qv::test
