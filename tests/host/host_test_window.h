#pragma once
// A small report window for the controller tests: edValue (an edit, so it
// can carry a condition value), lblNote (a label, which cannot), btnOk and
// btnCancel (modal results 1 and 2). Its own show, hide and destroy
// handlers, its InitModule, messages, host actions and OK clicks are written
// to the journal of the running test.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/dll_rp_ctrller.h"
#include "host/host_window.h"
#include "host/window_class.h"
#include "platform/vcl/application.h"
#include "platform/vcl/button.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"

namespace ravlet::test {

// What the next test windows do and where they write.
struct TTestWindowSetup {
  std::vector<std::string>* Journal = nullptr;
  bool InitResult = true;
  bool InitThrows = false;
  bool ModuleFileThrows = false;
  bool TakeOverResult = false;
};
extern TTestWindowSetup TestWindowSetup;

class TTestHostWindow : public qv::TForm, public THostWindow {
  QV_DECLARE_CLASS(TTestHostWindow)

 public:
  explicit TTestHostWindow(qv::TComponent* owner);

  void SetModuleFile(const std::string& path) override;
  bool InitModule(const qv::Variant& start_params) override;
  bool TakeOverConditions(const qv::Variant& condition_data) override;
  bool RunHostAction(int32_t code) override;
  void ShowMessageCode(const std::string& code) override;

  qv::TEdit* edValue;
  qv::TLabel* lblNote;
  qv::TButton* btnOk;
  qv::TButton* btnCancel;
  qv::Variant StartParams;
  int InitCount = 0;
  int ConvertCount = 0;

 protected:
  void ConvertTextsOnHandOver() override;

 private:
  void Write(const std::string& entry);
};

// Registers the test window as the class Open creates, gives the model a
// scripted input source and records the controller's events in `journal`
// as "event 256" and so on.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A controller as the host gets it, with the event handler installed.
  std::unique_ptr<TDLLRPCtrller> NewController();
  static void RecordEvent(void* data, int32_t code, TDLLBaseController* controller);
  TTestHostWindow* WindowOf(TDLLRPCtrller& controller) {
    return dynamic_cast<TTestHostWindow*>(controller.Window);
  }

  std::vector<std::string> journal;
  std::shared_ptr<qv::TScriptedInputSource> input;
  const THostWindowClass* saved_class_ = nullptr;
};

}  // namespace ravlet::test
