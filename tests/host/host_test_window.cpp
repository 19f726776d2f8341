#include "host/host_test_window.h"

#include "host/module_events.h"

namespace ravlet::test {

TTestWindowSetup TestWindowSetup;

QV_DEFINE_CLASS(TTestHostWindow, qv::TForm, r) {}

namespace {

const THostWindowClass* TestWindowClass() {
  static const THostWindowClass* window_class =
      RegisterWindowClass<TTestHostWindow>("TTestHostWindow");
  return window_class;
}

}  // namespace

TTestHostWindow::TTestHostWindow(qv::TComponent* owner) : qv::TForm(owner) {
  SetName("frmHostTest");
  edValue = qv::Create<qv::TEdit>(this);
  edValue->SetName("edValue");
  edValue->SetParent(this);
  lblNote = qv::Create<qv::TLabel>(this);
  lblNote->SetName("lblNote");
  lblNote->SetParent(this);
  btnOk = qv::Create<qv::TButton>(this);
  btnOk->SetName("btnOk");
  btnOk->SetParent(this);
  btnOk->SetModalResult(qv::mrOk);
  btnOk->OnClick = [this](qv::TObject*) { Write("ok clicked"); };
  btnCancel = qv::Create<qv::TButton>(this);
  btnCancel->SetName("btnCancel");
  btnCancel->SetParent(this);
  btnCancel->SetModalResult(qv::mrCancel);
  OnShow = [this](qv::TObject*) { Write("own show"); };
  OnHide = [this](qv::TObject*) { Write("own hide"); };
  OnDestroy = [this](qv::TObject*) { Write("own destroy"); };
  OnClose = [](qv::TObject*, qv::TCloseAction& action) { action = qv::caFree; };
  VersionText = "870401-0.00.00";
}

void TTestHostWindow::SetModuleFile(const std::string& path) {
  if (TestWindowSetup.ModuleFileThrows) throw qv::Exception("no module file");
  THostWindow::SetModuleFile(path);
}

bool TTestHostWindow::InitModule(const qv::Variant& start_params) {
  Write("init");
  ++InitCount;
  if (TestWindowSetup.InitThrows) throw qv::Exception("init failed");
  if (InitCount > 1) return false;
  StartParams = start_params;
  UserID = "U01";
  CompanyID = "C01";
  ProgramCode = "RAVLET";
  ProgramName = "Interval report";
  return TestWindowSetup.InitResult;
}

bool TTestHostWindow::TakeOverConditions(const qv::Variant&) {
  Write("take over");
  return TestWindowSetup.TakeOverResult;
}

bool TTestHostWindow::RunHostAction(int32_t code) {
  Write("host action " + std::to_string(code));
  return true;
}

void TTestHostWindow::ShowMessageCode(const std::string& code) {
  Write("message " + code);
}

void TTestHostWindow::ConvertTextsOnHandOver() {
  ++ConvertCount;
}

void TTestHostWindow::Write(const std::string& entry) {
  if (TestWindowSetup.Journal != nullptr) TestWindowSetup.Journal->push_back(entry);
}

void HostTest::SetUp() {
  TestWindowSetup = TTestWindowSetup{};
  TestWindowSetup.Journal = &journal;
  saved_class_ = frmBaseGeneClass;
  frmBaseGeneClass = TestWindowClass();
  input = std::make_shared<qv::TScriptedInputSource>();
  qv::Application->SetInputSource(input);
}

void HostTest::TearDown() {
  qv::Application->ProcessMessages();
  qv::Application->SetInputSource(nullptr);
  frmBaseGeneClass = saved_class_;
  TestWindowSetup = TTestWindowSetup{};
}

std::unique_ptr<TDLLRPCtrller> HostTest::NewController() {
  auto controller = std::make_unique<TDLLRPCtrller>();
  controller->OnModuleEvent.Code = &HostTest::RecordEvent;
  controller->OnModuleEvent.Data = this;
  return controller;
}

void HostTest::RecordEvent(void* data, int32_t code, TDLLBaseController*) {
  static_cast<HostTest*>(data)->journal.push_back("event " + std::to_string(code));
}

}  // namespace ravlet::test
