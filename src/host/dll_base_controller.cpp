#include "host/dll_base_controller.h"

namespace ravlet {

const TDLLControllerClass* DLLControllerClass = nullptr;

}  // namespace ravlet
