#pragma once
// The module's exports, looked up by name by a host that loads RavletC.so:
//
//   ravlet::TDLLBaseController* GetController(void);
//     A new controller of the class registered in DLLControllerClass. The
//     host owns it and frees it with FreeController. Raises
//     ravlet::EQvrInternalError (a qv::Exception) when no controller class
//     is registered; returns null when the controller cannot be made.
//
//   void FreeController(ravlet::TDLLBaseController* controller);
//     Frees a controller made by GetController (closing its window first);
//     null is ignored. Deleting it through its virtual destructor does the
//     same when host and module share one C++ runtime.
//
//   int32_t SelectWindowClass(const char* name);
//     Makes the window class registered under that name the one Open
//     creates; null or "" clears it, so that Open reports the missing
//     class. 0, or -1 when no class of that name is registered.
//
// The controller's operations are called through its virtual functions in
// the order of dll_base_controller.h, on the thread that runs the window
// model's message loop.

#include <cstdint>

#include "host/dll_base_controller.h"

#define RAVLET_EXPORT __attribute__((visibility("default")))

extern "C" {
RAVLET_EXPORT ravlet::TDLLBaseController* GetController();
RAVLET_EXPORT void FreeController(ravlet::TDLLBaseController* controller);
RAVLET_EXPORT int32_t SelectWindowClass(const char* name);
}

namespace ravlet {

using TGetControllerProc = TDLLBaseController* (*)();
using TFreeControllerProc = void (*)(TDLLBaseController*);
using TSelectWindowClassProc = int32_t (*)(const char*);

inline constexpr const char* kGetControllerExport = "GetController";
inline constexpr const char* kFreeControllerExport = "FreeController";
inline constexpr const char* kSelectWindowClassExport = "SelectWindowClass";

}  // namespace ravlet
