#include <cstddef>
#include <cstring>
#include <vector>

#include "host/controller_api.h"
#include "host/host_test_window.h"
#include "host/internal_error.h"
#include "host/module_events.h"
#include "platform/system/paths.h"
#include "platform/variant/var_array.h"
#include "platform/vcl/screen.h"

namespace ravlet::test {
namespace {

using Journal = std::vector<std::string>;

qv::Variant FiveStartParams() {
  return qv::VarArrayOf({"U01", "C01", "DEMO", 0, "extra"});
}

// Where a pointer to a virtual member function points in the vtable (Itanium
// C++ ABI: the slot's byte offset plus one), counted from 1.
template <typename F>
std::ptrdiff_t VtablePosition(F member) {
  static_assert(sizeof(F) == 2 * sizeof(std::ptrdiff_t));
  std::ptrdiff_t words[2];
  std::memcpy(words, &member, sizeof words);
  return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)) + 1;
}

TEST(ControllerContract, OperationsKeepTheirPositions) {
  using C = TDLLBaseController;
  const std::vector<std::pair<const char*, std::ptrdiff_t>> positions = {
      {"GetVersion", VtablePosition(&C::GetVersion)},
      {"IsVisible", VtablePosition(&C::IsVisible)},
      {"SetVisible", VtablePosition(&C::SetVisible)},
      {"GetWindowHandle", VtablePosition(&C::GetWindowHandle)},
      {"Open", VtablePosition(&C::Open)},
      {"ApplyParams", VtablePosition(&C::ApplyParams)},
      {"ApplyData", VtablePosition(&C::ApplyData)},
      {"ShowModal", VtablePosition(&C::ShowModal)},
      {"CloseWindow", VtablePosition(&C::CloseWindow)},
      {"GetModuleInfo", VtablePosition(&C::GetModuleInfo)},
      {"IsClosed", VtablePosition(&C::IsClosed)},
      {"DoWindowCreated", VtablePosition(&C::DoWindowCreated)},
      {"WindowShow", VtablePosition(&C::WindowShow)},
      {"WindowHide", VtablePosition(&C::WindowHide)},
      {"WindowDestroy", VtablePosition(&C::WindowDestroy)},
      {"DoHostSignal", VtablePosition(&C::DoHostSignal)},
      {"Notify", VtablePosition(&C::Notify)},
      {"Reserved", VtablePosition(&C::Reserved)},
  };
  for (size_t i = 0; i < positions.size(); ++i)
    EXPECT_EQ(positions[i].second, static_cast<std::ptrdiff_t>(i + 1)) << positions[i].first;
}

TEST(ControllerContract, FieldsFollowTheTableInOrder) {
  TDLLRPCtrller controller;
  const auto* base = reinterpret_cast<const char*>(&controller);
  const std::vector<const char*> fields = {
      reinterpret_cast<const char*>(&controller.WorkCenter),
      reinterpret_cast<const char*>(&controller.ResultCode),
      reinterpret_cast<const char*>(&controller.ResultData),
      reinterpret_cast<const char*>(&controller.OnModuleEvent),
      reinterpret_cast<const char*>(&controller.Window),
      reinterpret_cast<const char*>(&controller.SavedOnShow),
      reinterpret_cast<const char*>(&controller.SavedOnHide),
      reinterpret_cast<const char*>(&controller.SavedOnDestroy)};
  // The table of operations comes first, then the fields.
  EXPECT_EQ(fields[0] - base, static_cast<std::ptrdiff_t>(sizeof(void*)));
  for (size_t i = 1; i < fields.size(); ++i) EXPECT_LT(fields[i - 1], fields[i]) << i;
}

TEST(ControllerExports, GetControllerMakesTheRegisteredClass) {
  TDLLBaseController* controller = GetController();
  ASSERT_NE(controller, nullptr);
  EXPECT_NE(dynamic_cast<TDLLRPCtrller*>(controller), nullptr);
  EXPECT_TRUE(controller->IsClosed());
  FreeController(controller);
  FreeController(nullptr);
}

TEST(ControllerExports, GetControllerWithoutClassRaisesTheInternalError) {
  const TDLLControllerClass* saved = DLLControllerClass;
  DLLControllerClass = nullptr;
  try {
    GetController();
    ADD_FAILURE() << "no error";
  } catch (const EQvrInternalError& e) {
    EXPECT_STREQ(e.what(), "QVR DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
  }
  DLLControllerClass = saved;
}

TEST(ControllerExports, SelectWindowClassByName) {
  const THostWindowClass* saved = frmBaseGeneClass;
  EXPECT_EQ(SelectWindowClass("TfrmHostProbe"), 0);
  ASSERT_NE(frmBaseGeneClass, nullptr);
  EXPECT_EQ(frmBaseGeneClass->Name, "TfrmHostProbe");
  EXPECT_EQ(SelectWindowClass("tfrmhostprobe"), 0);
  EXPECT_EQ(SelectWindowClass("TfrmNoSuchWindow"), -1);
  EXPECT_EQ(frmBaseGeneClass->Name, "TfrmHostProbe");
  EXPECT_EQ(SelectWindowClass(""), 0);
  EXPECT_EQ(frmBaseGeneClass, nullptr);
  EXPECT_EQ(SelectWindowClass(nullptr), 0);
  frmBaseGeneClass = saved;
}

TEST_F(HostTest, OpenWithoutWindowClassRaisesTheInternalError) {
  frmBaseGeneClass = nullptr;
  auto controller = NewController();
  try {
    controller->Open(FiveStartParams());
    ADD_FAILURE() << "no error";
  } catch (const EQvrInternalError& e) {
    EXPECT_STREQ(e.what(), "QVR DLL Internal Error :\rNot Assign \"frmBaseGeneClass\" varible");
  }
  EXPECT_TRUE(controller->IsClosed());
  EXPECT_TRUE(journal.empty());
}

TEST_F(HostTest, WithoutWindowEveryOperationAnswersAndChangesNothing) {
  auto controller = NewController();
  qv::Variant info("untouched");
  EXPECT_EQ(controller->GetModuleInfo(info), -1);
  EXPECT_EQ(info, qv::Variant("untouched"));
  EXPECT_EQ(controller->ShowModal(), qv::Variant(2));
  EXPECT_EQ(controller->ApplyData(5, 0, qv::VarArrayOf({0, qv::Variant()})), -1);
  EXPECT_EQ(controller->ApplyParams(qv::VarArrayOf({0, 0})), -1);
  EXPECT_EQ(controller->IsVisible(), 0);
  EXPECT_EQ(controller->GetWindowHandle(), 0);
  std::u16string version = u"before";
  controller->GetVersion(version);
  EXPECT_EQ(version, u"before");
  controller->SetVisible(-1);
  controller->CloseWindow();
  EXPECT_TRUE(controller->IsClosed());
  EXPECT_TRUE(journal.empty());
}

TEST_F(HostTest, OpenCreatesAndInitialisesTheWindow) {
  auto controller = NewController();
  controller->WorkCenter = qv::Variant("work center");
  const qv::Variant params = FiveStartParams();
  EXPECT_EQ(controller->Open(params), 0);
  TTestHostWindow* window = WindowOf(*controller);
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(controller->IsClosed());
  EXPECT_EQ(window->StartParams, params);
  EXPECT_EQ(window->WorkCenter, qv::Variant("work center"));
  EXPECT_EQ(qv::ExtractFileName(window->ModuleFile), "RavletC.so");
  EXPECT_FALSE(window->Visible());
  EXPECT_EQ(controller->IsVisible(), 0);
  EXPECT_EQ(journal, (Journal{"event 256", "init"}));
}

TEST_F(HostTest, OpenReportsAFailedInitialisationButKeepsTheWindow) {
  struct Case {
    const char* name;
    bool throws;
  };
  for (const Case& c : {Case{"false", false}, Case{"raises", true}}) {
    TestWindowSetup.InitResult = false;
    TestWindowSetup.InitThrows = c.throws;
    auto controller = NewController();
    EXPECT_EQ(controller->Open(FiveStartParams()), -1) << c.name;
    EXPECT_FALSE(controller->IsClosed()) << c.name;
  }
}

TEST_F(HostTest, AWindowThatCannotBeSetUpIsNotKept) {
  TestWindowSetup.ModuleFileThrows = true;
  auto controller = NewController();
  EXPECT_EQ(controller->Open(FiveStartParams()), -1);
  EXPECT_TRUE(controller->IsClosed());
  EXPECT_EQ(qv::Screen->FindForm("frmHostTest"), nullptr);
}

TEST_F(HostTest, EventsComeAfterTheWindowsOwnHandlersInOrdinaryUse) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  WindowOf(*controller)->ResultCode = 1;
  WindowOf(*controller)->ResultData = qv::Variant("2024061800001");
  controller->SetVisible(-1);
  EXPECT_EQ(controller->IsVisible(), -1);
  // The person closes the window; it frees itself once messages are handled.
  WindowOf(*controller)->Form().Close();
  qv::Application->ProcessMessages();
  EXPECT_EQ(journal, (Journal{"event 256", "init", "own show", "event 272", "own hide", "event 288",
                              "own destroy", "event 304"}));
  EXPECT_TRUE(controller->IsClosed());
  EXPECT_EQ(controller->ResultCode, 1);
  EXPECT_EQ(controller->ResultData, qv::Variant("2024061800001"));
}

TEST_F(HostTest, ASecondOpenFailsAndEventsStillArriveOnce) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  EXPECT_EQ(controller->Open(FiveStartParams()), -1);
  controller->SetVisible(-1);
  controller->SetVisible(0);
  controller->CloseWindow();
  EXPECT_EQ(journal, (Journal{"event 256", "init", "init", "own show", "event 272", "own hide",
                              "event 288", "own destroy", "event 304"}));
}

TEST_F(HostTest, ALaterOpenCreatesANewWindowAndTheLastOutcomeStays) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  WindowOf(*controller)->ResultCode = 2;
  controller->CloseWindow();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  EXPECT_EQ(WindowOf(*controller)->InitCount, 1);
  EXPECT_EQ(controller->ResultCode, 2);
  controller->CloseWindow();
  EXPECT_EQ(controller->ResultCode, 0);
}

TEST_F(HostTest, CloseWindowHidesAndDestroysAVisibleWindowAtOnce) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  controller->SetVisible(-1);
  WindowOf(*controller)->ResultCode = 2;
  journal.clear();
  controller->CloseWindow();
  EXPECT_EQ(journal, (Journal{"own hide", "event 288", "own destroy", "event 304"}));
  EXPECT_TRUE(controller->IsClosed());
  EXPECT_EQ(controller->ResultCode, 2);
  EXPECT_EQ(controller->ResultData, qv::Variant());
  EXPECT_EQ(qv::Screen->FindForm("frmHostTest"), nullptr);
}

TEST_F(HostTest, FreeingTheControllerClosesTheWindow) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  controller.reset();
  EXPECT_EQ(journal.back(), "event 304");
  EXPECT_EQ(qv::Screen->FindForm("frmHostTest"), nullptr);
}

TEST_F(HostTest, TheHostMayFreeTheControllerWhenTheWindowIsDestroyed) {
  struct Host {
    TDLLBaseController* controller = nullptr;
    int destroyed = 0;
    static void Handle(void* data, int32_t code, TDLLBaseController* sender) {
      auto* host = static_cast<Host*>(data);
      if (code != meDestroyed) return;
      ++host->destroyed;
      EXPECT_TRUE(sender->IsClosed());
      FreeController(sender);
      host->controller = nullptr;
    }
  } host;
  host.controller = GetController();
  host.controller->OnModuleEvent = {&Host::Handle, &host};
  ASSERT_EQ(host.controller->Open(FiveStartParams()), 0);
  host.controller->CloseWindow();
  EXPECT_EQ(host.destroyed, 1);
  EXPECT_EQ(host.controller, nullptr);
}

TEST_F(HostTest, ModuleInfoAndVersionComeFromTheWindow) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  WindowOf(*controller)->VersionText = "881115-0.00.01 版";
  qv::Variant info;
  ASSERT_EQ(controller->GetModuleInfo(info), 0);
  ASSERT_TRUE(info.IsArray());
  EXPECT_EQ(qv::VarArrayLowBound(info, 1), 0);
  EXPECT_EQ(qv::VarArrayHighBound(info, 1), 3);
  EXPECT_EQ(info, qv::VarArrayOf({"U01", "C01", "RAVLET", "Interval report"}));
  std::u16string version;
  controller->GetVersion(version);
  EXPECT_EQ(version, u"881115-0.00.01 版");
}

TEST_F(HostTest, ShowModalRunsTheWindowAndReturnsItsResult) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  input->Click("btnOk");
  EXPECT_EQ(controller->ShowModal(), qv::Variant(1));
  EXPECT_EQ(journal, (Journal{"event 256", "init", "own show", "event 272", "ok clicked",
                              "own hide", "event 288"}));
  qv::Application->ProcessMessages();
  EXPECT_TRUE(controller->IsClosed());
  EXPECT_EQ(journal.back(), "event 304");
}

TEST_F(HostTest, ShowModalThatCannotRunAnswersCancel) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  controller->SetVisible(-1);
  EXPECT_EQ(controller->ShowModal(), qv::Variant(2));
  controller->SetVisible(0);
  // Nobody answers: the input runs out.
  EXPECT_EQ(controller->ShowModal(), qv::Variant(2));
}

TEST_F(HostTest, SetVisibleRestoresAMinimisedWindow) {
  auto controller = NewController();
  ASSERT_EQ(controller->Open(FiveStartParams()), 0);
  qv::TCustomForm& form = WindowOf(*controller)->Form();
  form.SetWindowState(qv::wsMinimized);
  controller->SetVisible(-1);
  EXPECT_EQ(form.WindowState(), qv::wsNormal);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(qv::Screen->ActiveForm(), &form);
  EXPECT_EQ(controller->GetWindowHandle(), form.Handle());
  EXPECT_NE(controller->GetWindowHandle(), 0);
}

}  // namespace
}  // namespace ravlet::test
