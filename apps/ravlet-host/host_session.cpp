#include "host_session.h"

#include <dlfcn.h>

#include "host/module_events.h"

namespace ravlet::host {

namespace {

void* Export(void* library, const std::string& library_file, const char* name) {
  void* address = dlsym(library, name);
  if (address == nullptr)
    throw EHostError("The library " + library_file + " does not export " + name);
  return address;
}

}  // namespace

THostSession::THostSession(const std::string& library_file) : library_file_(library_file) {
  library_ = dlopen(library_file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library_ == nullptr) {
    const char* why = dlerror();
    throw EHostError("Cannot load " + library_file + ": " + (why ? why : "unknown error"));
  }
  get_controller_ =
      reinterpret_cast<TGetControllerProc>(Export(library_, library_file, kGetControllerExport));
  free_controller_ =
      reinterpret_cast<TFreeControllerProc>(Export(library_, library_file, kFreeControllerExport));
  select_window_class_ = reinterpret_cast<TSelectWindowClassProc>(
      Export(library_, library_file, kSelectWindowClassExport));
}

THostSession::~THostSession() {
  if (controller_) controller_->CloseWindow();
  controller_.reset();
}

bool THostSession::SelectWindowClass(const std::string& name) {
  return select_window_class_(name.c_str()) == 0;
}

void THostSession::CreateController() {
  TDLLBaseController* controller = get_controller_();
  if (controller == nullptr) throw EHostError("The library made no controller");
  controller_ = std::unique_ptr<TDLLBaseController, TFreeController>(
      controller, TFreeController{free_controller_});
  controller_->OnModuleEvent.Code = &THostSession::EventThunk;
  controller_->OnModuleEvent.Data = this;
}

TDLLBaseController& THostSession::Controller() {
  if (!controller_) throw EHostError("There is no controller");
  return *controller_;
}

void THostSession::EventThunk(void* data, int32_t code, TDLLBaseController*) {
  auto* session = static_cast<THostSession*>(data);
  if (session->OnEvent) session->OnEvent({code, std::string(ModuleEventName(code))});
}

}  // namespace ravlet::host
