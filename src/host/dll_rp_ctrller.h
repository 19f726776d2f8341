#pragma once
// The module's controller: creates the report window on the first Open,
// stands in front of the window's show, hide and destroy handlers to report
// those moments to the host, and keeps the window's outcome when the window
// is destroyed.
//
// The host must not free the controller from inside its event handler,
// except for meDestroyed, the last thing the controller does for a window.

#include "host/dll_base_controller.h"
#include "host/host_window.h"
#include "host/internal_error.h"
#include "platform/vcl/component.h"
#include "platform/vcl/events.h"
#include "platform/vcl/form.h"

namespace ravlet {

class TDLLRPCtrller : public TDLLBaseController {
 public:
  TDLLRPCtrller() = default;
  // Closes a window that still exists.
  ~TDLLRPCtrller() override;

  // The window, or null once it is destroyed.
  THostWindow* Window = nullptr;
  // The window's own handlers, called before the controller reports.
  qv::TNotifyEvent SavedOnShow;
  qv::TNotifyEvent SavedOnHide;
  qv::TNotifyEvent SavedOnDestroy;

  void GetVersion(std::u16string& text) override;
  int32_t IsVisible() override;
  void SetVisible(int16_t show) override;
  qv::HWND GetWindowHandle() override;
  // Raises EQvrInternalError when a window is to be created and no window
  // class is registered.
  int32_t Open(const qv::Variant& start_params) override;
  int32_t ApplyParams(const qv::Variant& params) override;
  int32_t ApplyData(int32_t kind, int32_t reserved, const qv::Variant& data) override;
  qv::Variant ShowModal() override;
  void CloseWindow() override;
  int32_t GetModuleInfo(qv::Variant& info) override;
  bool IsClosed() override;

  void WindowShow(qv::TObject* sender) override;
  void WindowHide(qv::TObject* sender) override;
  void WindowDestroy(qv::TObject* sender) override;

 private:
  void CreateWindow();

  // Owns the window until it is freed; the model empties it then.
  qv::TComponentPtr<qv::TCustomForm> holder_;
  qv::TCustomForm* form_ = nullptr;
};

}  // namespace ravlet
