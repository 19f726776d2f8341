#pragma once
// The controller contract between the module and its host. The host binds
// the virtual operations by their position and reads and writes the four
// fields directly, so neither the order of the operations nor the order of
// the fields may change; new operations go after Reserved.

#include <cstdint>
#include <memory>
#include <string>

#include "host/module_events.h"
#include "platform/variant/variant.h"
#include "platform/vcl/messages.h"

namespace qv {
class TObject;
}

namespace ravlet {

class TDLLBaseController;

// The host's event handler as a method reference: the code to call and the
// object it is called for. Plain data, so that a host in any language can
// fill it.
using TModuleEventProc = void (*)(void* data, int32_t event_code, TDLLBaseController* controller);
struct TModuleEvent {
  TModuleEventProc Code = nullptr;
  void* Data = nullptr;

  bool Assigned() const { return Code != nullptr; }
};

class TDLLBaseController {
 public:
  TDLLBaseController() = default;
  TDLLBaseController(const TDLLBaseController&) = delete;
  TDLLBaseController& operator=(const TDLLBaseController&) = delete;

  // The host's work-center automation object; copied into each new window.
  qv::Variant WorkCenter;
  // Written when the window is destroyed: 0 closed without submitting,
  // 1 a report request was submitted, 2 cancelled.
  int32_t ResultCode = 0;
  // Written when the window is destroyed: the server's reply to the request
  // submitted, Empty when nothing was submitted.
  qv::Variant ResultData;
  // May stay unassigned.
  TModuleEvent OnModuleEvent;

  // Operations 1 to 11. Without a window each answers as its contract says
  // and changes nothing; none lets an error through, except Open when no
  // window class is registered.

  // Text receives the window's version text; without a window it is left alone.
  virtual void GetVersion(std::u16string& text) = 0;
  // -1 when a window exists and is visible, otherwise 0.
  virtual int32_t IsVisible() = 0;
  // A non-zero Show shows the window, restores it when minimised and brings
  // it to the front; zero hides it.
  virtual void SetVisible(int16_t show) = 0;
  // 0 without a window.
  virtual qv::HWND GetWindowHandle() = 0;
  // 0 when the window initialised itself from the start parameters, else -1.
  virtual int32_t Open(const qv::Variant& start_params) = 0;
  // Hands element 1 of Params over to the window; 0 or -1.
  virtual int32_t ApplyParams(const qv::Variant& params) = 0;
  // Hands Data over to the window for Kind 5 and 9; 0 or -1. The second
  // argument is not used.
  virtual int32_t ApplyData(int32_t kind, int32_t reserved, const qv::Variant& data) = 0;
  // The modal result as an integer; 2 (cancel) without a window.
  virtual qv::Variant ShowModal() = 0;
  virtual void CloseWindow() = 0;
  // Info := [user id, company id, program code, program name]; -1 and Info
  // untouched without a window.
  virtual int32_t GetModuleInfo(qv::Variant& info) = 0;
  virtual bool IsClosed() = 0;

  // Operations 12 to 18. Defined here, so that the class has no key
  // function: a host that only includes this header gets its type
  // information too.
  virtual void DoWindowCreated() { Notify(meCreated); }
  virtual void WindowShow(qv::TObject*) { Notify(meShown); }
  virtual void WindowHide(qv::TObject*) { Notify(meHidden); }
  virtual void WindowDestroy(qv::TObject*) { Notify(meDestroyed); }
  // Only the host calls it.
  virtual void DoHostSignal() { Notify(meSignal); }
  // Calls OnModuleEvent(code, this) when it is assigned.
  virtual void Notify(int32_t code) {
    if (OnModuleEvent.Assigned()) OnModuleEvent.Code(OnModuleEvent.Data, code, this);
  }
  virtual void Reserved() {}

  // Declared last so that it takes no position before the operations above.
  virtual ~TDLLBaseController() = default;
};

// A class reference for controllers: the class's name and how to make one.
struct TDLLControllerClass {
  const char* Name = nullptr;
  std::unique_ptr<TDLLBaseController> (*Create)() = nullptr;
};

// The controller class GetController makes; set once while the library starts.
extern const TDLLControllerClass* DLLControllerClass;

}  // namespace ravlet
