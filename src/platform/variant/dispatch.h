#pragma once
// Dispatch objects: late-bound objects called by operation name. The object
// decides how names are matched (normally without regard to case). A Variant
// holds one by std::shared_ptr<IDispatch> (varDispatch).

#include <span>
#include <string>
#include <string_view>

#include "platform/core/exception.h"
#include "platform/variant/var_ref.h"
#include "platform/variant/variant.h"

namespace qv {

enum class DispatchKind { Method, PropertyGet, PropertyPut };

class IDispatch {
 public:
  virtual ~IDispatch() = default;
  // For PropertyPut the new value is the last argument.
  virtual Variant Invoke(std::string_view name, DispatchKind kind, std::span<DispatchArg> args) = 0;
  virtual std::string ClassName() const { return "IDispatch"; }
};

}  // namespace qv
