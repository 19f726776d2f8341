#pragma once
// TfrmHostProbe: a small window for checking a host installation without a
// report. It shows what the host handed to the module — the start
// parameters, the module file, whether the work-center object answers, the
// last condition hand-over — and behaves towards the controller as a report
// window does: it initialises once, wants five start parameters (with fewer
// it shows "E;000038" and closes itself), frees itself when closed, and
// leaves ResultCode 0 when closed with OK and 2 when cancelled. It submits
// nothing. F2 opens the work center's user lookup window, to check that the
// host answers lookups; the user chosen is shown. A host selects the probe
// by name (SelectWindowClass("TfrmHostProbe")).

#include <string>

#include "host/host_window.h"
#include "platform/vcl/button.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/events.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"

namespace ravlet {

class TfrmHostProbe : public qv::TForm, public THostWindow {
  QV_DECLARE_CLASS(TfrmHostProbe)

 public:
  explicit TfrmHostProbe(qv::TComponent* owner);

  bool InitModule(const qv::Variant& start_params) override;
  void ApplyHostConditions(const qv::Variant& hand_over) override;
  bool RunHostAction(int32_t code) override;
  // Records the code and, for a positive number, shows its message text
  // (from the work center) in a message dialog.
  void ShowMessageCode(const std::string& code) override;

  // Every message code recorded, each followed by "; ".
  const std::string& ErrorCodes() const { return error_codes_; }
  int32_t Outcome() const { return ResultCode; }

  qv::TLabel* lblUser;
  qv::TLabel* lblCompany;
  qv::TLabel* lblDatabase;
  qv::TLabel* lblHostWindow;
  qv::TLabel* lblExtra;
  qv::TLabel* lblModule;
  qv::TLabel* lblWorkCenter;
  qv::TLabel* lblLookup;
  qv::TEdit* edHandOver;
  qv::TButton* btnOk;
  qv::TButton* btnCancel;

 private:
  void FormClose(qv::TObject* sender, qv::TCloseAction& action);
  void FormKeyDown(qv::TObject* sender, qv::Word& key, qv::TShiftState shift);
  void LookUpUser();
  void btnOkClick(qv::TObject* sender);
  void btnCancelClick(qv::TObject* sender);
  std::string MessageText(const std::string& type, const std::string& id) const;
  std::string WorkCenterState() const;

  bool initialised_ = false;
  std::string database_;
  std::string error_codes_;
  std::string last_action_;
};

}  // namespace ravlet
