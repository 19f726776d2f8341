#include "host/controller_api.h"

#include <memory>

#include "host/internal_error.h"
#include "host/window_class.h"

extern "C" {

RAVLET_EXPORT ravlet::TDLLBaseController* GetController() {
  const ravlet::TDLLControllerClass* controller_class = ravlet::DLLControllerClass;
  if (controller_class == nullptr || controller_class->Create == nullptr)
    throw ravlet::EQvrInternalError(ravlet::kNoControllerClassError);
  try {
    // The host owns the controller from here on and gives it back to FreeController.
    return controller_class->Create().release();
  } catch (...) {
    return nullptr;
  }
}

RAVLET_EXPORT void FreeController(ravlet::TDLLBaseController* controller) {
  std::unique_ptr<ravlet::TDLLBaseController> owned(controller);
}

RAVLET_EXPORT int32_t SelectWindowClass(const char* name) {
  if (name == nullptr || *name == '\0') {
    ravlet::frmBaseGeneClass = nullptr;
    return 0;
  }
  const ravlet::THostWindowClass* window_class = ravlet::FindWindowClass(name);
  if (window_class == nullptr) return -1;
  ravlet::frmBaseGeneClass = window_class;
  return 0;
}

}  // extern "C"
