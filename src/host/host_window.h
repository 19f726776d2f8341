#pragma once
// The side of a report window that the controller drives. A window class
// derives from a form class of the window model and from THostWindow, and is
// registered with RegisterWindowClass (window_class.h); the controller then
// creates it without owner, initialises it from the host's start parameters
// and hands the host's conditions over to it.
//
// A hand-over (HostConditions) is [action, [from-scheme flag, [labels, values]]]:
// action 0 takes the conditions over only, 1 and 2 also run the OK button,
// 3 and above run RunHostAction with that code. Label i is [caption,
// component name]; value i is that component's value.

#include <cstdint>
#include <string>

#include "platform/variant/variant.h"

namespace qv {
class TCustomForm;
}

namespace ravlet {

class THostWindow {
 public:
  THostWindow() = default;
  THostWindow(const THostWindow&) = delete;
  THostWindow& operator=(const THostWindow&) = delete;
  virtual ~THostWindow();

  // The form this window is. Raises std::bad_cast for a class that is no form.
  qv::TCustomForm& Form();
  const qv::TCustomForm& Form() const;

  // The full path of the module file; the base only keeps it.
  virtual void SetModuleFile(const std::string& path);
  // Reads the start parameters [user, company, database, host window,
  // extra]; false when initialisation failed or had run before.
  virtual bool InitModule(const qv::Variant& start_params) = 0;
  // Keeps the hand-over in PendingHandOver and acts on it (see above).
  virtual void ApplyHostConditions(const qv::Variant& hand_over);
  // Whether every label of ConditionData names a component of this window
  // that can carry a condition value; shows "W;000014" when not.
  virtual bool CheckHostConditions(const qv::Variant& condition_data);
  // Applies a hand-over that did not come from a scheme; the base takes nothing.
  virtual bool TakeOverConditions(const qv::Variant& condition_data);
  // The host's action codes 3 and above; the base does nothing and succeeds.
  virtual bool RunHostAction(int32_t code);
  // Records a message code and shows it when its number is positive.
  virtual void ShowMessageCode(const std::string& code) = 0;

  qv::Variant WorkCenter;
  std::string UserID;
  std::string CompanyID;
  std::string ProgramCode;
  std::string ProgramName;
  std::string ModuleFile;
  std::string VersionText;
  // The outcome the controller copies when the window is destroyed.
  int32_t ResultCode = 0;
  qv::Variant ResultData;
  // The last hand-over, whatever it held.
  qv::Variant PendingHandOver;
  bool FromScheme = false;
  // The hand-over was taken and asks for the OK action.
  bool AutoRun = false;
  // Whether a successful submission is announced to the user.
  bool AnnounceResult = true;

 protected:
  // A hand-over may arrive before the window was first shown: the texts
  // are made ready for display here. The base has none to convert.
  virtual void ConvertTextsOnHandOver();

 private:
  bool AcceptsHandOverEntry(const qv::Variant& label) const;
};

}  // namespace ravlet
