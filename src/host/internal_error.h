#pragma once
// The two failures that reach the host as errors instead of a -1: a class
// reference the library should have set while it started is missing.

#include "platform/core/exception.h"

namespace ravlet {

class EQvrInternalError : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "EQvrInternalError"; }
};

inline constexpr const char* kNoControllerClassError =
    "QVR DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible";
inline constexpr const char* kNoWindowClassError =
    "QVR DLL Internal Error :\rNot Assign \"frmBaseGeneClass\" varible";

}  // namespace ravlet
