#include "host/dll_base_controller.h"

#include "host/module_events.h"

namespace ravlet {

const TDLLControllerClass* DLLControllerClass = nullptr;

TDLLBaseController::~TDLLBaseController() = default;

void TDLLBaseController::DoWindowCreated() {
  Notify(meCreated);
}

void TDLLBaseController::WindowShow(qv::TObject*) {
  Notify(meShown);
}

void TDLLBaseController::WindowHide(qv::TObject*) {
  Notify(meHidden);
}

void TDLLBaseController::WindowDestroy(qv::TObject*) {
  Notify(meDestroyed);
}

void TDLLBaseController::DoHostSignal() {
  Notify(meSignal);
}

void TDLLBaseController::Notify(int32_t code) {
  if (OnModuleEvent.Assigned()) OnModuleEvent.Code(OnModuleEvent.Data, code, this);
}

void TDLLBaseController::Reserved() {}

}  // namespace ravlet
