#pragma once
// The host's side of one module: the loaded library, its exports, the
// controller it handed out and the events the controller reported.

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "host/controller_api.h"
#include "platform/core/exception.h"

namespace ravlet::host {

class EHostError : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "EHostError"; }
};

struct THostEvent {
  int32_t Code = 0;
  std::string Name;
};

// Gives a controller back to the library that made it.
struct TFreeController {
  TFreeControllerProc Free = nullptr;
  void operator()(TDLLBaseController* controller) const {
    if (controller != nullptr && Free != nullptr) Free(controller);
  }
};

class THostSession {
 public:
  // Loads the library and looks up its exports; raises EHostError.
  explicit THostSession(const std::string& library_file);
  // Closes the window and frees the controller; the library stays loaded
  // for the rest of the process, as objects of it may still be referenced.
  ~THostSession();
  THostSession(const THostSession&) = delete;
  THostSession& operator=(const THostSession&) = delete;

  const std::string& LibraryFile() const { return library_file_; }
  // False when the library has no window class of that name; "" clears it.
  bool SelectWindowClass(const std::string& name);
  // Asks the library for a controller and installs the event handler. Lets
  // the library's error through; raises EHostError for a null controller.
  void CreateController();
  TDLLBaseController& Controller();
  bool HasController() const { return controller_ != nullptr; }

  // Called for every event the controller reports.
  std::function<void(const THostEvent&)> OnEvent;

 private:
  static void EventThunk(void* data, int32_t code, TDLLBaseController* controller);

  std::string library_file_;
  void* library_ = nullptr;
  TGetControllerProc get_controller_ = nullptr;
  TFreeControllerProc free_controller_ = nullptr;
  TSelectWindowClassProc select_window_class_ = nullptr;
  std::unique_ptr<TDLLBaseController, TFreeController> controller_;
};

}  // namespace ravlet::host
