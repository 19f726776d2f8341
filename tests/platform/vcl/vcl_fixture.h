#pragma once
// A small form for the tests of controls, focus, keys and modal runs, and a
// fixture that gives each test a fresh scripted input source.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/application.h"
#include "platform/vcl/button.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"
#include "platform/vcl/panel.h"
#include "platform/vcl/screen.h"

namespace qv::test {

// frmTest: edName, edCode, pnlRange holding edBegin and edFinal, btnOk (mrOk,
// default) and btnCancel (mrCancel, cancel). Enter and exit events of every
// windowed control are written to `journal`.
struct TTestForm {
  TTestForm();
  void Record(TWinControl* control);

  TComponentPtr<TForm> form;
  TEdit* edName;
  TEdit* edCode;
  TPanel* pnlRange;
  TEdit* edBegin;
  TEdit* edFinal;
  TButton* btnOk;
  TButton* btnCancel;
  std::vector<std::string> journal;
};

class VclTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input = std::make_shared<TScriptedInputSource>();
    Application->SetInputSource(input);
  }
  void TearDown() override {
    Application->SetInputSource(nullptr);
    Application->ProcessMessages();
  }
  std::shared_ptr<TScriptedInputSource> input;
};

}  // namespace qv::test
