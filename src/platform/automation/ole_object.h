#pragma once
// Automation objects created by program identifier (ProgID). The registry key
// HKEY_CLASSES_ROOT\<ProgID> names the library that makes the object and the
// function it exports for that:
//
//   [HKEY_CLASSES_ROOT\ReportCounterS.dmReportCounter]
//   "Library"="libravlet_appserver_objects.so"   ; found like TDynamicLibrary::Load
//   "Factory"="CreateReportCounter"
//
// The export has the signature of QvObjectFactory; it fills *out with a new
// object and returns 0, or returns another number on failure. A library is
// loaded once per process and stays loaded: the objects it made may live as
// long as the process.

#include <memory>
#include <string>

#include "platform/automation/ole_error.h"
#include "platform/variant/dispatch.h"
#include "platform/variant/variant.h"

extern "C" {
typedef int QvObjectFactory(const char* progId, std::shared_ptr<qv::IDispatch>* out);
}

namespace qv {

// A new object of that ProgID in a varDispatch. EOleError: "Invalid class
// string" (with the ProgID) when the registry does not know it, or a text
// naming the library or export that is missing, or the factory's failure.
Variant CreateOleObject(const std::string& progId);

}  // namespace qv
